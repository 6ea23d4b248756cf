#include "lookup/musicbrainz_release.h"

#include <algorithm>
#include <cmath>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include "catalogue/display_text.h"
#include "common/ansi_text.h"

namespace lookup {
namespace {

constexpr int kNumberWidth = 3;
constexpr int kTimeWidth = 2;

std::string text(const QJsonObject& object, const char* key, bool* lossy = nullptr)
{
    bool lost = false;
    std::string converted = common::toAnsi(object.value(QLatin1String(key)).toString(), &lost);
    if (lossy && lost)
        *lossy = true;
    return converted;
}

// The credited names with the phrases that join them: "A feat. B & C".
QString creditText(const QJsonValue& credit)
{
    QString joined;
    for (const QJsonValue& part : credit.toArray()) {
        const QJsonObject name = part.toObject();
        joined += name.value(QLatin1String("name")).toString() + name.value(QLatin1String("joinphrase")).toString();
    }
    return joined;
}

QJsonValue trackCredit(const QJsonObject& track)
{
    const QJsonValue own = track.value(QLatin1String("artist-credit"));
    if (own.isArray())
        return own;
    return track.value(QLatin1String("recording")).toObject().value(QLatin1String("artist-credit"));
}

bool holdsDisc(const QJsonObject& medium, std::string_view discId)
{
    for (const QJsonValue& disc : medium.value(QLatin1String("discs")).toArray())
        if (disc.toObject().value(QLatin1String("id")).toString().toStdString() == discId)
            return true;
    return false;
}

int mediumTrackCount(const QJsonObject& medium)
{
    const QJsonValue count = medium.value(QLatin1String("track-count"));
    return count.isDouble() ? count.toInt() : static_cast<int>(medium.value(QLatin1String("tracks")).toArray().size());
}

QJsonObject chosenMedium(const QJsonArray& media, std::string_view discId, int trackCount)
{
    if (!discId.empty())
        for (const QJsonValue& medium : media)
            if (holdsDisc(medium.toObject(), discId))
                return medium.toObject();
    if (trackCount > 0)
        for (const QJsonValue& medium : media)
            if (mediumTrackCount(medium.toObject()) == trackCount)
                return medium.toObject();
    return media.isEmpty() ? QJsonObject() : media.first().toObject();
}

std::string lengthText(const QJsonValue& milliseconds)
{
    if (!milliseconds.isDouble() || milliseconds.toDouble() < 0)
        return {};
    const double seconds = std::round(std::min(milliseconds.toDouble(), 1e9) / 1000);
    return catalogue::timeText(static_cast<long>(seconds), kTimeWidth);
}

std::vector<TrackRow> trackRows(const QJsonArray& tracks, const QString& releaseCredit, bool& lossy)
{
    std::vector<TrackRow> rows;
    for (const QJsonValue& value : tracks) {
        if (rows.size() == kMaxMusicBrainzTracks)
            break;
        const QJsonObject track = value.toObject();
        QString title = track.value(QLatin1String("title")).toString();
        if (title.isEmpty())
            title = track.value(QLatin1String("recording")).toObject().value(QLatin1String("title")).toString();
        const QString credit = creditText(trackCredit(track));
        if (!credit.isEmpty() && credit != releaseCredit)
            title = credit + QLatin1String(" / ") + title;
        QJsonValue length = track.value(QLatin1String("length"));
        if (!length.isDouble())
            length = track.value(QLatin1String("recording")).toObject().value(QLatin1String("length"));
        bool lost = false;
        rows.push_back({catalogue::numberText(static_cast<long>(rows.size() + 1), kNumberWidth), lengthText(length),
                        common::toAnsi(title, &lost)});
        lossy = lossy || lost;
    }
    return rows;
}

MusicBrainzRelease releaseOf(const QJsonObject& object, std::string_view discId, int trackCount)
{
    MusicBrainzRelease release;
    release.id = text(object, "id");
    release.date = text(object, "date");
    release.country = text(object, "country");
    release.barcode = text(object, "barcode");
    const QJsonValue front = object.value(QLatin1String("cover-art-archive")).toObject().value(QLatin1String("front"));
    release.frontCover = !front.isBool() || front.toBool();
    const QJsonArray media = object.value(QLatin1String("media")).toArray();
    const QJsonObject medium = chosenMedium(media, discId, trackCount);
    release.format = text(medium, "format");
    release.trackCount = mediumTrackCount(medium);

    const QString credit = creditText(object.value(QLatin1String("artist-credit")));
    release.entry.artist = common::toAnsi(credit, &release.lossy);
    release.entry.album = text(object, "title", &release.lossy);
    // Each disc of a set is an album of its own: the title says which.
    if (const int position = medium.value(QLatin1String("position")).toInt(); media.size() > 1 && position > 0) {
        const std::string discTitle = text(medium, "title", &release.lossy);
        release.entry.album += " (disc " + std::to_string(position) + (discTitle.empty() ? "" : ": " + discTitle) + ")";
    }
    const std::string year = release.date.substr(0, 4);
    if (year.size() == 4 && year.find_first_not_of("0123456789") == std::string::npos)
        release.entry.year = year;
    release.entry.tracks = trackRows(medium.value(QLatin1String("tracks")).toArray(), credit, release.lossy);
    return release;
}

}  // namespace

MusicBrainzReading readMusicBrainzReleases(std::string_view json, std::string_view discId, int trackCount)
{
    QJsonParseError parseError;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(json.data(), static_cast<qsizetype>(json.size())), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {{}, "MusicBrainz sent a document that is not valid JSON (" + parseError.errorString().toStdString() +
                        " at byte " + std::to_string(parseError.offset) + ")."};
    const QJsonObject top = document.object();
    MusicBrainzReading reading;
    if (top.value(QLatin1String("releases")).isArray()) {
        for (const QJsonValue& release : top.value(QLatin1String("releases")).toArray()) {
            if (reading.releases.size() == kMaxMusicBrainzReleases)
                break;
            if (release.isObject())
                reading.releases.push_back(releaseOf(release.toObject(), discId, trackCount));
        }
    } else if (top.value(QLatin1String("id")).isString() && top.value(QLatin1String("title")).isString()) {
        reading.releases.push_back(releaseOf(top, discId, trackCount));
    } else {
        reading.error = "MusicBrainz sent a document that holds no releases.";
    }
    return reading;
}

void takeRelease(const MusicBrainzRelease& release, EditMode mode, AlbumEntry& entry)
{
    if (isNewAlbumMode(mode)) {
        entry.artist = release.entry.artist;
        entry.album = release.entry.album;
        entry.year = release.entry.year;
    }
    if (mode == EditMode::AddOther) {
        entry.tracks = release.entry.tracks;
        return;
    }
    const std::size_t taken = std::min(entry.tracks.size(), release.entry.tracks.size());
    for (std::size_t i = 0; i < taken; ++i)
        entry.tracks[i].title = release.entry.tracks[i].title;
}

std::string trackCountNotice(const MusicBrainzRelease& release, std::size_t rows)
{
    const std::size_t tracks = release.entry.tracks.size();
    if (tracks == rows)
        return {};
    return "The release has " + std::to_string(tracks) + " tracks, this album " + std::to_string(rows) +
           ": the titles are taken in order.";
}

std::string musicBrainzMatchText(const MusicBrainzRelease& release)
{
    std::string details;
    const auto add = [&details](const std::string& part) {
        if (!part.empty())
            details += (details.empty() ? "" : ", ") + part;
    };
    add(release.date);
    add(release.country);
    add(release.format);
    add(release.trackCount > 0 ? std::to_string(release.trackCount) + " tracks" : "");
    add(release.barcode);
    const std::string match = release.entry.artist + " / " + release.entry.album;
    return details.empty() ? match : match + " (" + details + ")";
}

}  // namespace lookup
