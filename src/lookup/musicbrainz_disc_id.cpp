#include "lookup/musicbrainz_disc_id.h"

#include <cstdio>

#include <QByteArray>
#include <QCryptographicHash>

#include "lookup/toc_arithmetic.h"

namespace lookup {
namespace {

std::string hex(long value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*lX", digits, value);
    return text;
}

}  // namespace

std::string musicBrainzDiscId(const platform::DiscToc& toc)
{
    std::string text = hex(1, 2) + hex(toc.trackCount, 2) + hex(frameOffset(toc.leadOut), 8);
    for (int track = 0; track < platform::kMaxDiscTracks; ++track)
        text += hex(track < toc.trackCount ? frameOffset(toc.tracks[track]) : 0, 8);
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString(text), QCryptographicHash::Sha1).toBase64();
    std::string id = digest.toStdString();
    for (char& c : id)
        c = c == '+' ? '.' : c == '/' ? '_' : c == '=' ? '-' : c;
    return id;
}

std::string musicBrainzTocParameter(const platform::DiscToc& toc)
{
    std::string text = "1+" + std::to_string(toc.trackCount) + "+" + std::to_string(frameOffset(toc.leadOut));
    for (int track = 0; track < toc.trackCount; ++track)
        text += "+" + std::to_string(frameOffset(toc.tracks[track]));
    return text;
}

}  // namespace lookup
