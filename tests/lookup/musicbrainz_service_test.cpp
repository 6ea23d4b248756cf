// Base addresses as the settings may give them, and the client's name.
#include <gtest/gtest.h>

#include "lookup/musicbrainz_service.h"

namespace {

TEST(MusicBrainzService, AddressesAreTakenApartOrRefused)
{
    struct Case {
        std::string url;
        bool valid;
        bool tls;
        std::string host;
        int port;
        std::string path;
    };
    const Case cases[] = {
        {"https://musicbrainz.org", true, true, "musicbrainz.org", 443, ""},
        {"http://127.0.0.1:5000/", true, false, "127.0.0.1", 5000, ""},
        {"http://[::1]:8080/mirror/", true, false, "::1", 8080, "/mirror"},
        {"ftp://musicbrainz.org", false, false, "", 0, ""},
        {"http://:80", false, false, "", 0, ""},
        {"http://host:99999", false, false, "", 0, ""},
        {"http://user@host", false, false, "", 0, ""},
    };
    for (const Case& c : cases) {
        const auto address = lookup::musicBrainzAddress(c.url);
        ASSERT_EQ(address.has_value(), c.valid) << c.url;
        if (!address)
            continue;
        EXPECT_EQ(address->tls, c.tls) << c.url;
        EXPECT_EQ(address->host, c.host) << c.url;
        EXPECT_EQ(address->port, c.port) << c.url;
        EXPECT_EQ(address->path, c.path) << c.url;
    }
}

TEST(MusicBrainzService, UserAgentNamesTheContactWhenThereIsOne)
{
    EXPECT_EQ(lookup::musicBrainzUserAgent("1.4.0", " joe@example.org "), "Vinora/1.4.0 ( joe@example.org )");
    EXPECT_EQ(lookup::musicBrainzUserAgent("1.4.0", ""), "Vinora/1.4.0");
}

TEST(MusicBrainzService, ReleasePagesAreRecognisedOnlyOnTheServerOfTheSettings)
{
    const std::string id = "3f1c2a9e-5b7d-4e21-9a0c-6d8e7f1b2c30";
    const std::string page = lookup::musicBrainzReleasePage("http://127.0.0.1:5000/", id);
    EXPECT_EQ(page, "http://127.0.0.1:5000/release/" + id);
    EXPECT_EQ(lookup::musicBrainzReleaseOfPage(" " + page + " ", "http://127.0.0.1:5000"), id);
    EXPECT_EQ(lookup::musicBrainzReleaseOfPage(page, "https://musicbrainz.org"), std::nullopt) << "another server";
    EXPECT_EQ(lookup::musicBrainzReleaseOfPage(page + "/cover", "http://127.0.0.1:5000"), std::nullopt);
    EXPECT_EQ(lookup::musicBrainzReleaseOfPage("http://127.0.0.1:5000/release/../etc", "http://127.0.0.1:5000"),
              std::nullopt);
}

}  // namespace
