// File-type filters as the desktop dialog lists them, and the document types' filters.
#include "UiFixture.h"

#include "platform/core/StringTable.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FileFilter.h"
#include "platform/ui/WinApp.h"

#include <QString>

namespace {

std::string desktop(const char* filter)
{
    return FileFilter::Desktop(FileFilter::Pairs(filter).c_str()).toStdString();
}

TEST(FileFilter, NamesShowTheirPatternsOnceInTheDialogsForm)
{
    struct Case {
        const char* filter;
        const char* shown;
    };
    const Case cases[] = {
        {"HTML Files (*.html;*.htm)|*.html;*.htm|All Files (*.*)|*.*||",
         "HTML Files (*.html *.htm);;All Files (*)"},
        {"Worksheets (*.trn)|*.trn||", "Worksheets (*.trn)"},
        {"Pictures|*.bmp; *.png|", "Pictures (*.bmp *.png)"},
        {"Notes (draft)|*.txt||", "Notes (draft) (*.txt)"},
        {"Broken|", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(desktop(c.filter), c.shown) << c.filter;
}

class FileFilterTemplates : public UiTest {};

TEST_F(FileFilterTemplates, DocumentTypesComeFirstAndASaveOffersItsOwnType)
{
    RegisterStringResource(411, "Doc\nDocument\n\nSheets (*.sht)\n.sht\nSheet.Document");
    RegisterStringResource(412, "Doc\nProject\n\nPlans (*.pln)\n.pln\nPlan.Document");
    RegisterStringResource(413, "Doc\nScratch\n\n\n\n");
    CWinApp app("Filters");
    auto* sheets = new CMultiDocTemplate(411, nullptr, nullptr, nullptr);
    app.AddDocTemplate(sheets);
    app.AddDocTemplate(new CMultiDocTemplate(412, nullptr, nullptr, nullptr));
    app.AddDocTemplate(new CMultiDocTemplate(413, nullptr, nullptr, nullptr));

    EXPECT_EQ(FileFilter::ForTemplates(app, nullptr),
              "Sheets (*.sht)|*.sht|Plans (*.pln)|*.pln|All Files (*.*)|*.*||");
    EXPECT_EQ(FileFilter::ForTemplates(app, sheets), "Sheets (*.sht)|*.sht|All Files (*.*)|*.*||");
}

} // namespace
