// The container layer of the page: embedded objects come in through Insert Object, pasting
// as an object and plain pasting, open on a double click and scale through Object Properties; text and
// pictures that other programs put on the clipboard or drop on the page become text and
// picture objects; a single line or connector dragged over the page snaps like a drawn one.
#pragma once

#include "View/HyperFmtView.h"

#include <functional>
#include <vector>

class CHyperOleItem;
class CHyperOleOb;
class COleDataObject;
class COleDataSource;
class COleDocument;

class CHyperOleView : public CHyperFmtView {
    DECLARE_DYNCREATE(CHyperOleView)
public:
    static constexpr UINT CmdInsertObject = 57856;
    static constexpr UINT CmdPasteSpecial = 57639;
    static constexpr UINT CmdObjectProperties = 57860;
    static constexpr UINT ToolOleObject = 60463;
    static constexpr UINT ToolBitmap = 60462;
    static constexpr UINT MinScale = 10;
    static constexpr UINT MaxScale = 500;
    // The hit code of a point inside an object.
    static constexpr int HitInside = 8;

    CHyperOleView() = default;

    // The type text of an object: the server's short type name up to its first "." or blank,
    // as an identifier.
    static CString TypeTextFrom(CString userType);

    // Objects and items of the container.
    virtual CHyperOb* CreateOleObject();
    virtual CHyperOleItem* CreateOleItem(COleDocument* document, CHyperOleOb* owner);
    // In edit mode the one selected object, in run mode the last clicked embedded object;
    // NULL unless it is an embedded object.
    virtual CHyperOleOb* GetSelectedOleObject() const;
    // A new embedded object made from the data, added to the page; NULL when none can be made.
    virtual CHyperOb* InsertOleObject(COleDataObject* data);
    virtual UINT GetTextTool() const { return ToolText; }
    virtual UINT GetBitmapTool() const { return ToolBitmap; }
    // Text or a picture offered whose tool has a class here.
    virtual BOOL CanPasteAsObject(COleDataObject* data) const;
    // Text and pictures of other programs become objects, placed like pasted objects.
    virtual void PasteClipboardData(COleDataObject* data, const POINT* target);
    // Whatever else a data source of the selection carries besides the objects and picture
    // of the editing view; the catalogue view adds its entry.
    virtual BOOL OnDataSourceHook(COleDataSource* source, const std::vector<const CHyperOb*>& objects,
                                  UINT format, HGLOBAL block, BOOL reserved);
    virtual BOOL IsAltClickOnCurrent(UINT flags) const;
    // Alt+click with a selection drags it to another view or program; TRUE when taken.
    virtual BOOL OnOleItemClick(UINT flags, CPoint point);

    void RegisterTools() override;
    void ShowObjectMenu(CHyperBaseOb* object, POINT point, UINT menuId) override;
    BOOL HasFocusFrame(const CHyperBaseOb* object) const override;
    void SetEditMode(BOOL editMode) override;
    void PasteClipList() override;
    void CompleteSelectionSource(COleDataSource* source, const CObArray& bottomUp, HGLOBAL block) override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    DWORD OnDragEnter(COleDataObject* dataObject, DWORD keyState, CPoint point) override;
    DWORD OnDragOver(COleDataObject* dataObject, DWORD keyState, CPoint point) override;
    void OnDragLeave() override;
    BOOL OnDrop(COleDataObject* dataObject, DWORD dropEffect, CPoint point) override;

    // Commands.
    void OnInsertObject();
    void OnPasteSpecial();
    void OnUpdatePasteSpecial(CCmdUI* cmdUI);
    void OnObjectProperties();
    void OnUpdateObjectProperties(CCmdUI* cmdUI);
    // A verb of the verb menu runs on the selected embedded object.
    void OnObjectVerb(UINT id);

    // Window messages.
    void OnLButtonDown(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);

    // The embedded object clicked last in run mode.
    CHyperOb* m_currentOleObject = nullptr;
    // A single line or connector is dragged over the page: it snaps like a drawn one.
    BOOL m_singleEndDrag = FALSE;

protected:
    CHyperOb* GetCurrentOleObject() const;
    // A new embedded object whose item `makeItem` fills, sized by the item and added to the
    // page; NULL, with nothing left behind, when no item is made.
    CHyperOleOb* AddOleObject(const std::function<BOOL(CHyperOleItem*)>& makeItem);
    // The object's own menu for a right click at the device point; FALSE when it has none.
    BOOL TrackObjectMenu(CHyperOb* object, CPoint point);
    // Takes the embedded object under the point in run mode as the current one.
    void PickRunModeOleObject(CPoint point);
    BOOL OffersPasteableData(COleDataObject* data) const;
    // A new object of the tool's class holding the text or picture; NULL when none is made.
    CHyperOb* MakeTextObject(const CString& text);
    CHyperOb* MakePictureObject(COleDataObject* data);
    // Dropped text on an object of the main view becomes the object's link.
    BOOL LinkObjectAt(const POINT& target, const CString& text);
    void PasteMadeObjects(std::vector<CHyperOb*>& made, const POINT* target);
    // The ink of the objects on notice layers goes along as ink, which the ink layer pastes.
    static void OfferInk(COleDataSource* source, const std::vector<const CHyperOb*>& objects);

    DECLARE_MESSAGE_MAP()
};
