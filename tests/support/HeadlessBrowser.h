#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace lumora::test {

// What a headless Chromium saw when it opened a local HTML page.
struct PageCheck {
    // Empty when the browser ran and reported; else why it could not (not installed, crashed,
    // no report). A test asserts this is empty before it looks at the lists.
    QString error;
    int imageCount = 0;
    int linkCount = 0;
    // The src attribute, as written in the page, of every <img> that did not load
    // (naturalWidth 0 once the page has finished loading).
    QStringList brokenImages;
    // The href attribute, as written, of every <a href> that leads to a local file that does not
    // exist. Links to other schemes (http:, mailto:) are not followed.
    QStringList brokenLinks;

    bool allLoaded() const { return error.isEmpty() && brokenImages.isEmpty() && brokenLinks.isEmpty(); }
};

// Opens pages in Debian's headless Chromium (`chromium`, or the program named by
// $LUMORA_CHROMIUM), with --no-sandbox so that it runs as root in CI. A browser that cannot start
// is an error in the result, never a skipped check.
class HeadlessBrowser {
public:
    // Loads htmlFile (a local path) and reports its images and links. The page itself is not
    // touched: a copy with a <base> pointing back at the page's folder and a reporting script is
    // opened from a temporary folder, so relative addresses resolve exactly as in the original.
    static PageCheck check(const QString& htmlFile);

    // Renders htmlFile as a browser window of the given size would show it and saves it as PNG.
    // Returns the empty string on success, else the reason.
    static QString screenshot(const QString& htmlFile, const QString& pngFile, QSize windowSize = {1024, 768});
};

}  // namespace lumora::test
