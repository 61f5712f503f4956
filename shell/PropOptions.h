// The Options sheet: spelling, auto-correction, update, alarm and autosave settings, the
// auto-correction replacement list, which its buttons change in the list file at once, and the
// spelling library's own page on the three checker options.
#pragma once

#include "platform/ole/DispatchMap.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/PropertySheet.h"

#include <memory>
#include <vector>

// Its three checker options are also automation properties, which the spelling library's own
// page of the sheet shows and sets.
class CPropOptionSpell : public CPropertyPage {
public:
    static constexpr UINT IDD = 8081;
    CPropOptionSpell();
    int m_bAlwaysSuggest = 0, m_bIgnoreNumbers = 0, m_bIgnoreUppercase = 0, m_bCheckBeforeSave = 0,
        m_bCheckAfterUpdate = 0;
    CString m_strCustomDictionary;

    BOOL GetAlwaysSuggest() { return m_bAlwaysSuggest; }
    void SetAlwaysSuggest(BOOL value) { m_bAlwaysSuggest = value; }
    BOOL GetIgnoreUppercase() { return m_bIgnoreUppercase; }
    void SetIgnoreUppercase(BOOL value) { m_bIgnoreUppercase = value; }
    BOOL GetIgnoreNumbers() { return m_bIgnoreNumbers; }
    void SetIgnoreNumbers(BOOL value) { m_bIgnoreNumbers = value; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    DECLARE_DISPATCH_MAP()
};

class CPropOptionRectivo : public CPropertyPage {
public:
    static constexpr UINT IDD = 207;
    static constexpr int kShownLength = 31;
    CPropOptionRectivo() : CPropertyPage(IDD) {}
    int m_bTwoInitCaps = 0, m_bCapitalizeSentence = 0, m_bCapsLock = 0, m_bReplaceText = 0;
    CString m_strReplace, m_strWith;
    // The list file the buttons write to.
    CString m_strListFile;
    CListCtrl& GetList() { return m_list; }
    // The full key of a row (rows show only its start).
    CString GetRowKey(int row) const;

    void OnAdd();
    void OnReplace();
    void OnDelete();
    void OnExceptions();
    void OnReplaceChanged();
    void OnWithChanged();
    void OnReplaceTextClicked();
    void OnListItemChanged(NMHDR*, LRESULT* result);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    void FillList();
    int AppendRow(const CString& key, const CString& value);
    int FindRow(const CString& key) const;
    int SelectedRow() const;
    void EnableButtons(BOOL add, BOOL replace);
    CString ItemText(UINT id) const;

    CListCtrl m_list;
    std::vector<CString> m_keys;
    BOOL m_bFillingFields = FALSE;

    DECLARE_MESSAGE_MAP()
};

class CPropOptionUpdate : public CPropertyPage {
public:
    static constexpr UINT IDD = 8082;
    CPropOptionUpdate() : CPropertyPage(IDD) {}
    void OnProgramDownload();
    void OnCatalogDownload();

protected:
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
};

class CPropOptionAlarm : public CPropertyPage {
public:
    static constexpr UINT IDD = 8083;
    CPropOptionAlarm() : CPropertyPage(IDD) {}
    UINT m_nCheckDelay = 1;
    int m_nFlashCount = 1;
    int m_bAutodeactivate = 0, m_bFlashWindow = 0, m_bPlaySound = 0, m_bShowBitmap = 0, m_bEnabled = 0,
        m_bAutoactivate = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
};

class CPropOptionExtras : public CPropertyPage {
public:
    static constexpr UINT IDD = 392;
    CPropOptionExtras() : CPropertyPage(IDD) {}
    static constexpr UINT IdModalProperties = 1121;
    int m_nAutoSaveMinutes = 0;
    int m_bModalProperties = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
};

class CPropOptions : public CPropertySheet {
public:
    static constexpr UINT kCaption = 146;

    CPropOptions(UINT captionId, CWnd* parent, UINT firstPage);
    INT_PTR DoModal() override;
    void LoadSettings();
    // Every page field back to the settings.
    void SaveSettings();

    CPropOptionSpell m_spell;
    CPropOptionRectivo m_rectivo;
    CPropOptionUpdate m_update;
    CPropOptionAlarm m_alarm;
    CPropOptionExtras m_extras;
    // The spelling library's "General" page on the spelling options, made through its class
    // factory; null when the library offers none. Declared last: it holds m_spell's dispatch.
    std::unique_ptr<CPropertyPage> m_lexigard;

protected:
    BOOL OnInitDialog() override;

private:
    int m_nLoadedMinutes = 0;
    int m_nLoadedSeconds = 0;
};
