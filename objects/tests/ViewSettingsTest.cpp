#include "objects/ViewSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(ViewSettings, StartsWithItsDefaults)
{
    const CViewSettings& settings = GetViewSettings();
    EXPECT_EQ(&settings, &GetViewSettings());
    struct Case {
        const char* name;
        int value;
        int expected;
    };
    const Case cases[] = {
        {"undo stack mode", settings.m_undoStackMode, 1},
        {"undo levels", settings.m_undoLevels, 10},
        {"selection flag", settings.m_selectionFlag, 1},
        {"tracking flag", settings.m_trackingFlag, 0},
        {"paste x", settings.m_lastPastePosition.x, 10},
        {"paste y", settings.m_lastPastePosition.y, 10},
        {"property dialog state", settings.m_propertyDialogState, -1},
        {"property dialog flag", settings.m_propertyDialogFlag, 0},
        {"thumbnail switch", settings.m_thumbnailSwitch, 0},
        {"extent x", settings.m_extents.cx, 40},
        {"next frame x", settings.m_nextFramePosition.x, -1},
        {"next frame y", settings.m_nextFramePosition.y, -1},
        {"frame counter", settings.m_frameCounter, 0},
        {"auto-scroll interval", settings.m_autoScrollInterval, 30},
        {"default font height", settings.m_defaultFont.lfHeight, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value, c.expected) << c.name;
    EXPECT_EQ(settings.m_openViews.GetSize(), 0);
    EXPECT_EQ(settings.m_propertyHostWnd, nullptr);
    EXPECT_TRUE(settings.m_documentFolder.IsEmpty());
}

class Held : public CObject {
public:
    explicit Held(int& deleted) : m_deleted(deleted) { }
    ~Held() override { ++m_deleted; }

private:
    int& m_deleted;
};

TEST(ViewSettings, DeletesTheHeldObjectsOnlyWithTheRecord)
{
    int deleted = 0;
    Held view(deleted);
    {
        CViewSettings settings;
        settings.m_heldOleObjects.Add(new Held(deleted));
        settings.m_heldOleObjects.Add(new Held(deleted));
        settings.m_openViews.Add(&view);
    }
    EXPECT_EQ(deleted, 2);
}

} // namespace
