// Fuzzes the CDDB exchanges: server replies of every kind fed to the state
// machines. The first byte picks the exchange and the transport and, for a
// choice among matches, the answer; the rest is the server's lines. What a
// lookup found then goes through the entry reader as the form would get it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "lookup/cddb_list_machine.h"
#include "lookup/cddb_lookup_machine.h"

namespace {

constexpr std::size_t kFormTracks = 20;

void drive(lookup::CddbMachine& machine, std::string_view lines, std::uint8_t chooser)
{
    for (;;) {
        const lookup::CddbStep step = machine.next();
        switch (step.kind) {
        case lookup::CddbStep::Kind::Status:
        case lookup::CddbStep::Kind::Send:
        case lookup::CddbStep::Kind::Quit:
            break;
        case lookup::CddbStep::Kind::Receive:
            if (lines.empty()) {
                machine.feedEnd();
            } else {
                const auto end = lines.find('\n');
                machine.feed(lines.substr(0, end));
                lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
            }
            break;
        case lookup::CddbStep::Kind::Choose:
            machine.choose(chooser == 0xff ? std::nullopt : std::optional<std::size_t>(chooser % 4));
            break;
        case lookup::CddbStep::Kind::Finished:
            return;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t selector = data[0];
    const std::string_view lines(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto transport = selector & 1 ? lookup::CddbTransport::Http : lookup::CddbTransport::Tcp;
    const std::string hello = "cddb hello anonymous localhost Vinora 0";

    using Mode = lookup::CddbLookupMachine::Mode;
    using List = lookup::CddbListMachine::List;
    switch ((selector >> 1) % 5) {
    case 0:
    case 1:
    case 2: {
        const Mode mode = static_cast<Mode>((selector >> 1) % 5);
        lookup::CddbLookupMachine machine(transport, hello, {mode, "cddb query 0a1b2c3d 1 150 60", "rock", "0a1b2c3d"});
        drive(machine, lines, selector);
        lookup::AlbumEntry entry;
        entry.tracks.resize(kFormTracks);
        lookup::fillAlbumEntry(machine.result(), entry);
        break;
    }
    default: {
        const List list = (selector >> 1) % 5 == 3 ? List::Sites : List::Categories;
        lookup::CddbListMachine machine(list, transport, hello);
        drive(machine, lines, selector);
        break;
    }
    }
    return 0;
}
