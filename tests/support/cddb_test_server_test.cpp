// The loopback CDDB server answers as the recorded one did: each session
// of the recordings is replayed by independent clients (Python's sockets
// over TCP, curl over HTTP) and the answers compared by code and content.
#include "support/cddb_test_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "support/fixture_files.h"
#include "support/temp_dir.h"

namespace {

// One reply: its code, then its list or entry lines (sorted: list order is
// the server's own) without the comment a server inserts when it sends.
struct Reply {
    std::string code;
    std::vector<std::string> lines;
    bool operator==(const Reply&) const = default;
};

void PrintTo(const Reply& reply, std::ostream* out)
{
    *out << reply.code << " +" << reply.lines.size() << " lines";
}

std::vector<Reply> repliesOf(const std::vector<std::string>& lines)
{
    std::vector<Reply> replies;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Reply reply{lines[i].substr(0, 3), {}};
        if (reply.code.size() == 3 && reply.code[1] == '1') {
            while (++i < lines.size() && lines[i] != ".") {
                if (lines[i].rfind("# Processed by:", 0) != 0)
                    reply.lines.push_back(lines[i]);
            }
        }
        std::sort(reply.lines.begin(), reply.lines.end());
        replies.push_back(std::move(reply));
    }
    return replies;
}

// `text` split at CR LF (or LF).
std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

class CddbTestServerTest : public testing::Test {
protected:
    test_support::CddbTestServer server;
    test_support::TempDir dir;
};

TEST_F(CddbTestServerTest, AnswersRecordedTcpSessionsLikeTheRecordedServer)
{
    // Sessions whose commands the server implements; free texts aside.
    const char* sessions[] = {
        "lookup_flow_close_one_p5", "lookup_flow_close_p5",           "lookup_flow_exact_p5",
        "lookup_flow_latin1_p5",    "lookup_flow_multiple_exact_p5",  "lookup_flow_not_found_p5",
        "lookup_flow_various_p5",   "query_disc_id_collision_202_p6", "query_corrupt_entry_skipped_p6",
        "read_entries_p6",          "read_corrupt_entry_403_p6",      "read_not_found_401_p6",
        "read_invalid_category_501_p6", "level3_multiple_exact_is_200", "hello_repeated_402",
        "no_handshake_409",         "greeting_quit",                  "lscat_p5",
        "sites_p5",                 "proto_levels",
    };
    for (const char* session : sessions) {
        std::vector<std::string> expected;
        std::string sent;
        for (const std::string& line : linesOf(test_support::readFile(
                 test_support::fixturePath(std::string("cddb/tcp/") + session + ".txt")))) {
            if (line.rfind("S: ", 0) == 0)
                expected.push_back(line.substr(3));
            else if (line.rfind("C: ", 0) == 0)
                sent += line.substr(3) + "\r\n";
        }
        const std::string input = dir.file(std::string(session) + ".in");
        std::ofstream(input, std::ios::binary) << sent;
        const std::string received = test_support::runCapture(
            "/usr/bin/python3 -c '"
            "import socket, sys\n"
            "s = socket.create_connection((\"127.0.0.1\", int(sys.argv[1])))\n"
            "s.sendall(sys.stdin.buffer.read())\n"
            "s.shutdown(socket.SHUT_WR)\n"
            "while True:\n"
            "    data = s.recv(65536)\n"
            "    if not data: break\n"
            "    sys.stdout.buffer.write(data)\n"
            "' " + std::to_string(server.tcpPort()) + " < " + input);
        EXPECT_EQ(repliesOf(linesOf(received)), repliesOf(expected)) << session;
    }
}

TEST_F(CddbTestServerTest, AnswersRecordedHttpRequestsLikeTheRecordedServer)
{
    const char* requests[] = {
        "query_exact_200_p5",       "query_close_211_three_p5",  "query_multiple_exact_210_p5",
        "query_no_match_202_p5",    "read_found_210_p5",         "read_latin1_entry_p5",
        "read_not_found_401_p6",    "lscat_p5",                  "sites_p5",
        "percent_encoded_spaces_p6", "hello_with_email_user_p6", "error_missing_proto",
        "error_params_wrong_order", "error_proto_7",             "error_unsupported_quit",
    };
    for (const char* request : requests) {
        const std::vector<std::string> recorded =
            linesOf(test_support::readFile(test_support::fixturePath(std::string("cddb/http/") + request + ".txt")));
        ASSERT_GE(recorded.size(), 4u) << request;
        const std::string target = recorded[0].substr(4);
        int status = -1;
        const std::string body = test_support::runCapture(
            "curl --silent --show-error --fail --noproxy '*' 'http://127.0.0.1:" + std::to_string(server.httpPort()) +
                target + "'",
            &status);
        EXPECT_EQ(status, 0) << request;
        EXPECT_EQ(repliesOf(linesOf(body)), repliesOf({recorded.begin() + 3, recorded.end()})) << request;
    }
}

}  // namespace
