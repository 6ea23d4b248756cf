#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mail_sender.h"

// The mail that gives an album to the online database, from its xmcd
// entry, and the settings it goes by.
namespace lookup {

// The category the database files the submission under: "soundtrack" for
// the genre "soundtrac" (a genre cut to its field's nine letters); else
// the entry of `official` (the database's categories) that the genre names,
// case ignored, as that entry spells it, since the database knows its
// categories in that spelling only; else "misc".
std::string submissionCategory(std::string_view genre, const std::vector<std::string>& official);

// The mail server a `Server` setting names: "host" (port 25), "host:port",
// "[address]:port" or a bare IPv6 address; nothing when it names none (an
// empty host, a port that is no number from 1 to 65535).
std::optional<platform::MailServer> mailServerFromSetting(std::string_view setting);

// The submission of the entry `entryLines` (Windows-1252, no line ends)
// from `from` to `to`, subject "cddb <category> <discId>", dated `date`
// (an RFC 5322 date). The body is text/plain: US-ASCII when the entry is
// plain ASCII, else ISO-8859-1, or UTF-8 when it holds characters that
// only Windows-1252 has; every line ends in CR LF. A line that is longer
// than the database takes is continued on further lines of its key, and a
// line break inside a value becomes a blank.
platform::MailMessage submissionMail(const std::string& from, const std::string& to, std::string_view category,
                                     std::string_view discId, const std::vector<std::string>& entryLines,
                                     std::string_view date);

}  // namespace lookup
