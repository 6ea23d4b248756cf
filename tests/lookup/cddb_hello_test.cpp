#include "lookup/cddb_hello.h"

#include <gtest/gtest.h>

#include "lookup/cddb_commands.h"

namespace {

TEST(CddbHello, UsableMailAddressNamesUserAndHostElseAnonymous)
{
    struct Case {
        const char* mail;
        const char* user;
        const char* host;
    };
    const Case cases[] = {
        {"joe@example.org", "joe", "example.org"},
        {"", "anonymous", "localhost"},
        {"joe", "anonymous", "localhost"},
        {"joe@", "anonymous", "localhost"},
        {"@example.org", "anonymous", "localhost"},
        {"joe@localhost", "anonymous", "localhost"},  // no domain to name
        {"jo e@example.org", "anonymous", "localhost"},
        {"a@b@example.org", "anonymous", "localhost"},
        {"j\xf6rg@example.org", "anonymous", "localhost"},
    };
    for (const Case& c : cases) {
        const lookup::CddbHello hello(c.mail, "1.0");
        EXPECT_EQ(hello.user(), c.user) << c.mail;
        EXPECT_EQ(hello.host(), c.host) << c.mail;
    }
}

TEST(CddbHello, LineAndHttpTargetCarryTheFourFields)
{
    const lookup::CddbHello hello("joe+cddb@example.org", "5.2b");
    EXPECT_EQ(hello.line(), "cddb hello joe+cddb example.org Vinora 5.2b");
    EXPECT_EQ(lookup::cddbHttpTarget("cddb read rock 0a1b2c3d", hello),
              "/~cddb/cddb.cgi?cmd=cddb+read+rock+0a1b2c3d&hello=joe%2Bcddb+example.org+Vinora+5.2b&proto=5");
}

}  // namespace
