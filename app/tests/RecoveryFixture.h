// What the tests of work brought back after a crash share: the steps that draw and save, the
// settings that turn the autosave on, and a fresh start that opens a document, answers the
// offer of its autosave copy and snapshots its page.
#pragma once

#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include <filesystem>
#include <functional>
#include <fstream>
#include <string>

namespace e2e {

constexpr int kNew = 57600, kOpen = 57601, kSave = 57603;
constexpr int kYes = 6, kNo = 7;
// Waits far longer than any test: the kill comes while this step runs.
inline const std::string kHold = "wait 60000";

inline std::string Menu(int id)
{
    return "menu " + std::to_string(id) + "\n";
}

inline std::string Draw(UINT tool, const char* drag)
{
    return Menu(static_cast<int>(tool)) + "drag view " + drag + "\nwait 200\n";
}

inline bool Dark(const QImage& image, int x, int y)
{
    return image.valid(x, y) && qGray(image.pixel(x, y)) < 80;
}

// Pixels of drawn lines inside a box of a view snapshot: dark pixels with a dark neighbour,
// which leaves out the grid's lone dots.
inline int LinePixels(const QImage& image, const QRect& box)
{
    int count = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            bool joined = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    joined = joined || ((dx || dy) && Dark(image, x + dx, y + dy));
            count += Dark(image, x, y) && joined;
        }
    return count;
}

class RecoveryFixture : public RoadTest {
protected:
    INT_PTR ObjectsIn(const char* name) const
    {
        CMyView page;
        EXPECT_TRUE(ReadSavedPage(Path(name), page)) << name;
        return page.GetObjects().GetSize();
    }

    void UseSettings(const std::string& lines) const
    {
        std::filesystem::create_directories(Path("config/Korvane"));
        std::ofstream(Path("config/Korvane/Vantrel Q8.ini"), std::ios::app) << lines;
    }

    // A fresh start that opens the file, answers an offer of its autosave copy, snapshots its
    // page and plays `then`.
    QImage OpenAndSnapshot(const char* name, const char* shot, int answer = kNo, const std::string& then = "") const
    {
        OpenNothingAtStart();
        const e2e::Run run = RunVantrel("wait 300\nanswer " + std::to_string(answer) + "\nfile " + Path(name) + "\n" +
                                       Menu(kOpen) + "wait 300\n" + "snapshot view " + Path(shot) + "\n" + then +
                                       "quit\n",
                                   home);
        EXPECT_EQ(run.exitCode, 0) << run.log;
        EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
        offered = run.log.find("box: The autosave copy of " + Path(name) + " is newer") != std::string::npos;
        return QImage(QString::fromStdString(Path(shot)));
    }

    // The last document would come back (and make its offer) before the steps play.
    void OpenNothingAtStart() const
    {
        const std::string ini = Path("config/Korvane/Vantrel Q8.ini");
        std::string text = Contents(ini);
        for (size_t at = text.find("OpenLastDoc=1"); at != std::string::npos; at = text.find("OpenLastDoc=1"))
            text.replace(at, 13, "OpenLastDoc=0");
        // The recent-file list is stored at once, so a killed program's last document is known too.
        if (text.find("OpenLastDoc=") == std::string::npos) {
            const size_t section = text.find("[Settings]\n");
            text.insert(section == std::string::npos ? 0 : section + 11,
                        section == std::string::npos ? "[Settings]\nOpenLastDoc=0\n" : "OpenLastDoc=0\n");
        }
        std::ofstream(ini, std::ios::binary) << text;
    }

    // The program waits in the hold step and `written` answers true: the moment to kill it.
    bool Holding(const std::function<bool()>& written) const
    {
        return Contents(Path("log.txt")).find("step: " + kHold) != std::string::npos && written();
    }

    mutable bool offered = false;
};

} // namespace e2e
