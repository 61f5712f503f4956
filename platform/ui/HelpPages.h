// The pages of the help window: HTML files read with Qt's text browser, the history of the
// pages shown, their layout at the window's width, their picture and the links on them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QTextBrowser;

class HelpPages {
public:
    HelpPages();
    ~HelpPages();
    HelpPages(const HelpPages&) = delete;
    HelpPages& operator=(const HelpPages&) = delete;

    // Shows the local page (a native path or a "file:" address) after the current one; false,
    // changing nothing, when it is not a readable file.
    bool Open(const std::string& page);
    bool Back();
    bool Forward();
    bool CanGoBack() const;
    bool CanGoForward() const;

    // The page's title, else its file name.
    std::string Title() const;
    // The address of the link at the point of the page laid out at `width`, resolved against
    // the page's own ("file:///.../drawing.html", "https://..."); empty off links.
    std::string LinkAt(int width, int x, int y) const;
    // The page's height laid out at `width`.
    int Height(int width) const;
    // The part of the page from `top` down, `width` x `height` pixels of 0x00RRGGBB, row by row.
    std::vector<uint32_t> Picture(int width, int height, int top) const;

    // A "file:" address or a path without a scheme.
    static bool IsLocal(const std::string& address);

private:
    std::unique_ptr<QTextBrowser> m_browser;
};
