#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

#include "catalogue/catalogue.h"
#include "common/prompter.h"
#include "platform/desktop_launcher.h"

namespace playback {

inline constexpr std::string_view kNoWebsiteText =
    "No website entered for this album.\rClick \"Modify\" button, \"Edit Notes\", \"Add URL\"\rto add a web page";
inline constexpr std::string_view kTellFriendSubject = "Check out the Vinora Music Collection Manager";
inline constexpr std::string_view kReportBugSubject = "Vinora - Suggestion/Bug Report";

// The addresses the shortcuts open that the user does not type.
struct WebShortcutPages {
    std::string webSite;        // the program's site, ending in "/"
    std::string supportMail;    // where suggestions and bug reports go
    std::string storeRedirect;  // the shop's redirect with the associate tag, up to the list's path
};

// The shop's lists, by their captions in "Top 100:".
struct StoreList {
    std::string_view caption;
    std::string_view path;
};
inline constexpr std::array<StoreList, 10> kStoreLists{{
    {"CDs", "subst/music/charts/hot-100-music"},
    {"VHS", "subst/video/sellers/amazon-top-100-video"},
    {"DVD", "subst/video/sellers/amazon-top-100-dvd"},
    {"Books", "subst/lists/best/amazon-bestsellers"},
    {"Toys", "tg/browse/-/466632"},
    {"Games", "tg/browse/-/171689"},
    {"Tools", "tg/stores/static/-/hi/bestsellers"},
    {"Photo", "tg/browse/-/498166/"},
    {"Tronics", "tg/browse/-/496918"},
    {"Zines", "tg/browse/-/602354/"},
}};

// The main window's web shortcuts: the current album's page or document
// (its notes' last "URL=" line), the program's home page, and new mail
// messages telling a friend or reporting a bug. Addresses go to the
// desktop, never to a shell; only http(s) and mailto addresses and files
// that exist are handed over. Texts are Windows-1252.
class WebShortcuts {
public:
    // Every argument must outlive this object; relative paths in notes are
    // taken from `catalogue`'s program directory.
    WebShortcuts(catalogue::Catalogue& catalogue, common::Prompter& prompter, platform::DesktopLauncher& desktop,
                 WebShortcutPages pages);

    // The current album's "URL=" address; without one (or without a
    // current album) the error box says how to add one.
    void openAlbumPage();
    void openHomePage();
    void tellFriend();
    void reportBug();
    // The shop's list kStoreLists[item]: the redirect followed by the
    // list's path, ".html" after the first four (pages of their own).
    // Requires: item < kStoreLists.size().
    void openStoreList(std::size_t item);

    // "mailto:?subject=...&body=..." recommending the home page.
    static std::string tellFriendAddress(const WebShortcutPages& pages);
    static std::string reportBugAddress(const WebShortcutPages& pages);
    // What `address` (trimmed) is handed to the desktop as: an http, https
    // or mailto address as it is (scheme case ignored); a file that exists
    // (a path, relative ones taken from `directory`, or a file: address) as
    // its absolute path. Anything else is refused: nothing.
    static std::optional<QString> desktopAddress(std::string_view address, const std::string& directory);

private:
    // Refused or not started: the error box names the address.
    void open(const std::string& address);

    catalogue::Catalogue& catalogue_;
    common::Prompter& prompter_;
    platform::DesktopLauncher& desktop_;
    WebShortcutPages pages_;
};

}  // namespace playback
