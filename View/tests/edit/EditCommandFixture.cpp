#include "EditCommandFixture.h"

#include "objects/kinds/ConnectOb.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/DocTemplate.h"

namespace {

class CProbeCmdUI : public CCmdUI {
public:
    void Enable(BOOL on) override { enabled = on; }
    void SetCheck(int check) override { checked = check; }
    BOOL enabled = TRUE;
    int checked = 0;
};

} // namespace

CHyperOb* EditCommandTest::Add(const char* name, const CRect& rect)
{
    CHyperOb* object = AddBorder(rect);
    view->m_nameMap.RemoveKey(object->GetCode());
    object->Code = name;
    view->MapObjectName(name, object);
    return object;
}

CHyperOb* EditCommandTest::Named(const char* name) const
{
    return view->FindObjectByName(name);
}

CRect EditCommandTest::RectOf(const char* name) const
{
    CRect rect;
    Named(name)->GetRect(&rect, nullptr);
    return rect;
}

void EditCommandTest::Select(std::initializer_list<const char*> names)
{
    view->ClearSelection(FALSE);
    BOOL first = TRUE;
    for (const char* name : names) {
        CHyperOb* object = Named(name);
        if (first)
            view->SetCurrentIndex(view->FindObjectIndex(object));
        object->Select(first);
        if (names.size() > 1)
            view->GetSelection().Add(object);
        first = FALSE;
    }
}

BOOL EditCommandTest::Run(UINT command)
{
    const BOOL enabled = Enabled(command);
    view->SendMessage(WM_COMMAND, command);
    return enabled;
}

BOOL EditCommandTest::Enabled(UINT command)
{
    CProbeCmdUI probe;
    probe.m_nID = command;
    view->OnCmdMsg(command, CN_UPDATE_COMMAND_UI, &probe, nullptr);
    return probe.enabled;
}

BOOL EditCommandTest::Checked(UINT command)
{
    CProbeCmdUI probe;
    probe.m_nID = command;
    view->OnCmdMsg(command, CN_UPDATE_COMMAND_UI, &probe, nullptr);
    return probe.checked != 0;
}

std::string EditCommandTest::Order() const
{
    std::string order;
    for (int i = 0; i < ObjectCount(); ++i)
        order += static_cast<LPCTSTR>(Object(i)->GetCode());
    return order;
}

CMyView* EditCommandTest::OpenSecondView()
{
    CDocument* second = docTemplate->OpenDocumentFile(nullptr);
    POSITION pos = second->GetFirstViewPosition();
    auto* other = static_cast<CMyView*>(second->GetNextView(pos));
    Pump();
    return other;
}

CConnectOb* EditCommandTest::Connector() const
{
    for (int i = 0; i < ObjectCount(); ++i)
        if (auto* connector = dynamic_cast<CConnectOb*>(Object(i)))
            return connector;
    return nullptr;
}

std::vector<CPoint> EditCommandTest::ConnectorPath() const
{
    std::vector<CPoint> points;
    for (int i = 0; i < Connector()->GetNumberOfPoints(); ++i)
        points.push_back(Connector()->GetPoint(i));
    return points;
}
