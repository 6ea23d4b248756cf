#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lookup/album_entry.h"
#include "lookup/cddb_match.h"

namespace lookup {

enum class CddbOutcome {
    Completed,  // the exchange ran to its end (whatever the server answered)
    Failed,     // the server could not be reached, fell silent or broke the protocol
    Cancelled,  // the user stopped it
};

// What a disc lookup found. After Failed or Cancelled only `message` means
// anything: no form is shown and nothing goes into it.
struct CddbLookupResult {
    CddbOutcome outcome = CddbOutcome::Completed;
    // For the user: why the server refused (greeting, handshake) or why the
    // exchange failed; "" when there is nothing to tell.
    std::string message;
    // The server's last status line, for messages.
    std::string reply;
    // The server does not know the disc (query 202 or 4xx, read 4xx).
    bool notFound = false;
    // The handshake succeeded: the edit form is to be shown, with or
    // without an entry.
    bool showEditForm = false;
    // The match lines of the query's answer, as received.
    std::vector<std::string> matches;
    // The match accepted (the only one, or the user's choice).
    std::optional<CddbMatch> match;
    // The entry's lines after the "210" line, present only when read whole.
    std::optional<std::vector<std::string>> entry;
};

// What a list exchange (mirror sites, categories) brought.
struct CddbListResult {
    CddbOutcome outcome = CddbOutcome::Completed;
    std::string message;
    // Sites: the distinct host names; categories: the category names.
    std::vector<std::string> items;
    // Sites: at least one host; categories: more than 8.
    bool found = false;
};

// Puts what `result` found into `entry`: the match's category, lower-cased,
// as genre, its artist and album; then, when an entry was read, the entry's
// fields through the server entry reader (track titles, notes and revision
// cleared first).
void fillAlbumEntry(const CddbLookupResult& result, AlbumEntry& entry);

}  // namespace lookup
