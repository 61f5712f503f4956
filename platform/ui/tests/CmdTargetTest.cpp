#include "platform/ui/CmdTarget.h"

#include <gtest/gtest.h>

namespace {

class Counted : public CCmdTarget {
public:
    explicit Counted(bool& deleted) : m_deleted(deleted) { }
    ~Counted() override { m_deleted = true; }

private:
    bool& m_deleted;
};

TEST(CmdTarget, LastReleaseEndsTheObject)
{
    bool deleted = false;
    auto* target = new Counted(deleted);
    EXPECT_EQ(target->GetRefCount(), 1u);
    EXPECT_EQ(target->ExternalAddRef(), 2u);
    EXPECT_EQ(target->ExternalRelease(), 1u);
    EXPECT_FALSE(deleted);
    EXPECT_EQ(target->ExternalRelease(), 0u);
    EXPECT_TRUE(deleted);
}

TEST(CmdTarget, AutomationIsOffUntilEnabled)
{
    CCmdTarget target;
    EXPECT_FALSE(target.IsAutomationEnabled());
    target.EnableAutomation();
    EXPECT_TRUE(target.IsAutomationEnabled());
    EXPECT_TRUE(target.IsKindOf(RUNTIME_CLASS(CObject)));
}

} // namespace
