#include "app/page_locator.h"

#include <filesystem>
#include <system_error>

#include "catalogue/program_files.h"

namespace app {
namespace {

bool isFile(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

QString utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

QUrl pageAddress(std::string_view reference, const std::string& programDir, const std::string& dataDir,
                 std::string_view webSite)
{
    const std::size_t hash = reference.find('#');
    const std::string_view file = reference.substr(0, hash);
    for (const std::string& dir : {programDir, dataDir}) {
        if (dir.empty() || file.empty())
            continue;
        const std::string path = catalogue::joinPath(dir, file);
        if (isFile(path)) {
            QUrl url = QUrl::fromLocalFile(QString::fromStdString(path));
            if (hash != std::string_view::npos)
                url.setFragment(utf8(reference.substr(hash + 1)));
            return url;
        }
    }
    return QUrl(utf8(webSite) + utf8(reference));
}

}  // namespace app
