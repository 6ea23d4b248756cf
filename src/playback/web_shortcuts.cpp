#include "playback/web_shortcuts.h"

#include <cctype>

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "common/ansi_text.h"
#include "common/notes_tags.h"
#include "common/trim_and_case.h"

namespace playback {
namespace {

constexpr std::string_view kHomePage = "index.html";
// The store lists that are pages of their own, not browse nodes.
constexpr std::size_t kStorePages = 4;
// The part of a "URL=" line that is read, as the notes editor allows.
constexpr std::size_t kLongestAddress = 999;

// A scheme as URLs spell it, longer than one letter: "C:\x.pdf" names a
// drive, not a scheme.
std::string_view schemeOf(std::string_view address)
{
    const std::size_t colon = address.find(':');
    if (colon == std::string_view::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(address[0])))
        return {};
    for (char c : address.substr(0, colon))
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return {};
    return address.substr(0, colon);
}

std::string percentEncoded(std::string_view text)
{
    return QUrl::toPercentEncoding(common::fromAnsi(text)).toStdString();
}

}  // namespace

WebShortcuts::WebShortcuts(catalogue::Catalogue& catalogue, common::Prompter& prompter,
                           platform::DesktopLauncher& desktop, WebShortcutPages pages)
    : catalogue_(catalogue), prompter_(prompter), desktop_(desktop), pages_(std::move(pages))
{
}

std::optional<QString> WebShortcuts::desktopAddress(std::string_view address, const std::string& directory)
{
    const std::string_view text = common::trimmed(address);
    const std::string_view scheme = schemeOf(text);
    QString path = common::fromAnsi(text);
    if (common::equalsNoCase(scheme, "http") || common::equalsNoCase(scheme, "https") ||
        common::equalsNoCase(scheme, "mailto"))
        return text.size() > scheme.size() + 1 ? std::optional(path) : std::nullopt;
    if (common::equalsNoCase(scheme, "file"))
        path = QUrl(path).toLocalFile();
    else if (!scheme.empty())
        return std::nullopt;
    if (path.isEmpty())
        return std::nullopt;
    const QFileInfo file(QDir(QString::fromStdString(directory)), path);
    if (!file.isFile())
        return std::nullopt;
    return file.absoluteFilePath();
}

std::string WebShortcuts::tellFriendAddress(const WebShortcutPages& pages)
{
    const std::string body = "I keep my music collection with the Vinora Music Collection Manager. Have a look at " +
                             pages.webSite + std::string(kHomePage);
    return "mailto:?subject=" + percentEncoded(kTellFriendSubject) + "&body=" + percentEncoded(body);
}

std::string WebShortcuts::reportBugAddress(const WebShortcutPages& pages)
{
    return "mailto:" + pages.supportMail + "?subject=" + percentEncoded(kReportBugSubject);
}

void WebShortcuts::openAlbumPage()
{
    catalogue::TableView& albums = catalogue_.albums();
    std::string address;
    if (albums.isOpen() && !albums->eof()) {
        const std::string notes = albums->memo("Notes");
        if (const auto url = common::NotesTags(notes).url())
            address = std::string(url->substr(0, kLongestAddress));
    }
    if (address.empty()) {
        prompter_.error(std::string(kNoWebsiteText));
        return;
    }
    open(address);
}

void WebShortcuts::openHomePage() { open(pages_.webSite + std::string(kHomePage)); }

void WebShortcuts::tellFriend() { open(tellFriendAddress(pages_)); }

void WebShortcuts::reportBug() { open(reportBugAddress(pages_)); }

void WebShortcuts::openStoreList(std::size_t item)
{
    open(pages_.storeRedirect + std::string(kStoreLists.at(item).path) + (item < kStorePages ? ".html" : ""));
}

void WebShortcuts::open(const std::string& address)
{
    const auto handed = desktopAddress(address, catalogue_.programDir());
    if (!handed) {
        prompter_.error("Cannot open \"" + address +
                        "\":\ronly web addresses (http, https), mail links (mailto) and files that exist are opened.");
        return;
    }
    if (!desktop_.openAddress(*handed))
        prompter_.error("Could not open \"" + address + "\":\rthe desktop has no application that opens it.");
}

}  // namespace playback
