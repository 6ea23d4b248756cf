#include "dbf_commands.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <stdexcept>

#include "text_escape.h"
#include "xbase/byte_order.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_index.h"
#include "xbase/cursor.h"
#include "xbase/field.h"
#include "xbase/expression.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace vinora_dbf {
namespace {

using Args = std::vector<std::string>;

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string hexByte(unsigned v)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02x", v & 0xFF);
    return buf;
}

std::string rtrim(std::string s)
{
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

// Header facts in the same layout as the reference fixtures' header files.
int info(const Args& a, std::ostream& out)
{
    auto table = xbase::Table::open(a.at(1), xbase::OpenMode::Shared);
    auto file = xbase::defaultFileSystem().open(a[1], xbase::OpenFlags::ReadWrite);
    std::vector<std::uint8_t> head(table->headerLength());
    file->readExact(0, head.data(), head.size());
    const std::uint64_t size = file->size();
    const std::uint64_t eofPos = table->headerLength() + std::uint64_t(table->recordCount()) * table->recordLength();
    std::uint8_t eof = 0;
    bool hasEof = file->readAt(eofPos, &eof, 1) == 1;

    out << "# header facts of " << a[1] << "\n";
    out << "file_size\t" << size << "\n";
    out << "version\t" << hexByte(table->version()) << "\n";
    out << "last_update\t" << unsigned(head[1]) << ' ' << unsigned(head[2]) << ' ' << unsigned(head[3]) << "\n";
    out << "record_count\t" << table->recordCount() << "\n";
    out << "header_length\t" << table->headerLength() << "\n";
    out << "record_length\t" << table->recordLength() << "\n";
    out << "flags_byte28\t" << hexByte(head[28]) << "\n";
    out << "codepage_byte29\t" << hexByte(head[29]) << "\n";
    out << "field_count\t" << table->fields().size() << "\n";
    for (const auto& f : table->fields())
        out << "field\t" << f.name << '\t' << f.type << '\t' << f.length << '\t' << unsigned(f.decimals) << '\t'
            << f.offset << "\n";
    out << "terminator_offset\t" << 32 + 32 * table->fields().size() << "\n";
    out << "data_offset\t" << table->headerLength() << "\n";
    out << "eof_marker\t" << (hasEof ? hexByte(eof) : std::string("none")) << "\n";
    return 0;
}

// Every record in physical order, deleted ones included, escaped.
int dump(const Args& a, std::ostream& out)
{
    auto table = xbase::Table::open(a.at(1), xbase::OpenMode::Shared);
    const auto& fields = table->fields();
    out << "#columns\trecno\tdeleted";
    for (const auto& f : fields)
        out << '\t' << f.name;
    out << "\n";
    std::string line;
    for (std::uint32_t r = 1; r <= table->recordCount(); ++r) {
        const std::uint8_t* rec = table->record(r);
        line = std::to_string(r);
        line += table->isDeleted(r) ? "\t1" : "\t0";
        for (std::size_t i = 0; i < fields.size(); ++i) {
            line += '\t';
            std::string text = table->fieldText(rec, static_cast<int>(i));
            line += escape(fields[i].type == 'M' ? text : rtrim(std::move(text)));
        }
        out << line << "\n";
    }
    return 0;
}

int count(const Args& a, std::ostream& out)
{
    auto table = xbase::Table::open(a.at(1), xbase::OpenMode::Shared);
    std::unique_ptr<xbase::Expression> filter;
    if (a.size() == 4 && a[2] == "--filter") {
        filter = std::make_unique<xbase::Expression>(xbase::Expression::compile(a[3], *table));
        if (filter->type() != xbase::Expression::Type::Logical)
            throw xbase::XbaseError("the filter \"" + a[3] + "\" is not a condition");
    } else if (a.size() != 2) {
        throw UsageError("count FILE [--filter EXPR]");
    }
    std::uint32_t n = 0;
    for (std::uint32_t r = 1; r <= table->recordCount(); ++r)
        if (!table->isDeleted(r) && (!filter || filter->test(table->record(r))))
            ++n;
    out << n << "\n";
    return 0;
}

bool takeFlag(Args& a, const std::string& flag);

// Replacing a table wipes its records, memos and index: only on request.
int create(const Args& args, std::ostream&)
{
    Args a = args;
    const bool force = takeFlag(a, "--force");
    if (a.size() != 3)
        throw UsageError("create FILE LIST [--force]");
    const std::vector<xbase::FieldSpec> fields = xbase::parseCreationList(a[2]);
    if (!force && xbase::defaultFileSystem().exists(a[1]))
        throw xbase::XbaseError(a[1] + ": the table exists; --force replaces it with its memos and index");
    xbase::Table::create(a[1], fields);
    return 0;
}

// Whether `text` is longer than field `f` holds: memos and integers take
// any, numbers are measured without their blanks.
bool overflows(const xbase::Field& f, std::string_view text)
{
    if (f.type == 'M' || f.type == 'I')
        return false;
    if (f.type == 'N' || f.type == 'F') {
        const std::size_t b = text.find_first_not_of(' ');
        text = b == std::string_view::npos ? std::string_view() : text.substr(b, text.find_last_not_of(' ') - b + 1);
    }
    return text.size() > f.length;
}

int append(const Args& a, std::ostream& out, std::ostream& err)
{
    if (a.size() < 2)
        throw UsageError("append FILE FIELD=VALUE...");
    auto table = xbase::Table::open(a[1], xbase::OpenMode::Exclusive);
    std::vector<std::uint8_t> rec = table->blankRecord();
    for (std::size_t i = 2; i < a.size(); ++i) {
        std::size_t eq = a[i].find('=');
        if (eq == std::string::npos)
            throw UsageError("append: \"" + a[i] + "\" is not FIELD=VALUE");
        int field = table->fieldIndex(a[i].substr(0, eq));
        if (field < 0)
            throw xbase::XbaseError(a[1] + ": no field named \"" + a[i].substr(0, eq) + "\"");
        const std::string value = unescape(a[i].substr(eq + 1));
        table->setFieldText(rec.data(), field, value);
        const xbase::Field& f = table->fields()[static_cast<std::size_t>(field)];
        if (overflows(f, value))
            err << "vinora-dbf: warning: " << f.name << " holds " << f.length << " characters; \"" << escape(value)
                << "\" was stored as \"" << escape(rtrim(table->fieldText(rec.data(), field))) << "\"\n";
    }
    out << table->append(rec.data()) << "\n";
    table->flush();
    return 0;
}

int remove(const Args& a, std::ostream&)
{
    if (a.size() != 3)
        throw UsageError("delete FILE RECNO");
    auto table = xbase::Table::open(a[1], xbase::OpenMode::Exclusive);
    std::size_t used = 0;
    unsigned long recno = std::stoul(a[2], &used);
    if (used != a[2].size() || recno == 0 || recno > table->recordCount())
        throw xbase::XbaseError(a[1] + ": record " + a[2] + " does not exist");
    table->setDeleted(static_cast<std::uint32_t>(recno), true);
    table->flush();
    return 0;
}

int tags(const Args& a, std::ostream& out)
{
    auto table = xbase::Table::open(a.at(1), xbase::OpenMode::Shared);
    if (xbase::CdxIndex* index = table->index())
        for (std::size_t i = 0; i < index->tagCount(); ++i)
            out << index->tagAt(i).name() << '\t' << escape(index->tagAt(i).expression()) << "\n";
    return 0;
}

int makeIndex(const Args& a, std::ostream&)
{
    if (a.size() != 4)
        throw UsageError("index FILE TAG EXPR");
    auto table = xbase::Table::open(a[1], xbase::OpenMode::Exclusive);
    xbase::CdxIndex& index = table->index() ? *table->index() : table->createIndex();
    index.createTag(a[2], a[3]);
    table->flush();
    return 0;
}

bool takeFlag(Args& a, const std::string& flag)
{
    auto it = std::find(a.begin(), a.end(), flag);
    if (it == a.end())
        return false;
    a.erase(it);
    return true;
}

int order(const Args& args, std::ostream& out)
{
    Args a = args;
    const bool deleted = takeFlag(a, "--deleted");
    if (a.size() != 3)
        throw UsageError("order FILE TAG [--deleted]");
    auto table = xbase::Table::open(a[1], xbase::OpenMode::Shared);
    xbase::Cursor cursor(table);
    cursor.setOrder(a[2]);
    cursor.setShowDeleted(deleted);
    for (bool ok = cursor.first(); ok; ok = cursor.next())
        out << cursor.recno() << '\t' << escape(rtrim(cursor.key())) << "\n";
    return 0;
}

int seek(const Args& args, std::ostream& out)
{
    Args a = args;
    const bool deleted = takeFlag(a, "--deleted");
    const bool nearest = takeFlag(a, "--nearest");
    if (a.size() != 4)
        throw UsageError("seek FILE TAG KEY [--nearest] [--deleted]");
    auto table = xbase::Table::open(a[1], xbase::OpenMode::Shared);
    xbase::Cursor cursor(table);
    cursor.setOrder(a[2]);
    cursor.setShowDeleted(deleted);
    const std::string key = unescape(a[3]);
    const bool found = nearest ? cursor.seekNearest(key) : cursor.seek(key);
    out << (found ? 1 : 0) << '\t' << (cursor.eof() ? 1 : 0) << '\t' << cursor.recno() << "\n";
    return 0;
}

int pack(const Args& a, std::ostream& out)
{
    if (a.size() != 2)
        throw UsageError("pack FILE");
    auto table = xbase::Table::open(a[1], xbase::OpenMode::Exclusive);
    const xbase::Table::PackLosses losses = table->pack();
    if (losses.rowsWithLostMemos > 0)
        out << losses.rowsWithLostMemos << " rows lost memos past the end of the memo file; it is kept as "
            << losses.keptMemoFile << "\n";
    return 0;
}

// Walks every tag against the table; lists each fault found, and notes on
// what is sound but unusual. Only faults fail.
int check(const Args& a, std::ostream& out)
{
    if (a.size() != 2)
        throw UsageError("check FILE");
    auto table = xbase::Table::open(a[1], xbase::OpenMode::Shared);
    if (!table->index())
        throw xbase::XbaseError(a[1] + ": the table has no index file");
    const xbase::CdxChecker::Findings found = xbase::CdxChecker::inspect(*table->index());
    for (const std::string& p : found.problems)
        out << "problem\t" << p << "\n";
    for (const std::string& n : found.notes)
        out << "note\t" << n << "\n";
    out << (found.problems.empty() ? "ok\n" : std::to_string(found.problems.size()) + " problems\n");
    return found.problems.empty() ? 0 : 1;
}

const char kUsage[] =
    "usage: vinora-dbf COMMAND FILE ...\n"
    "  info FILE                     header facts and fields\n"
    "  dump FILE                     every record, deleted ones included\n"
    "  count FILE [--filter EXPR]    number of live records passing EXPR\n"
    "  create FILE LIST [--force]    new table from \"Name,Char,50;Notes,Memo;\"\n"
    "                                (--force replaces an existing one)\n"
    "  append FILE FIELD=VALUE...    append a record (\\xHH escapes allowed)\n"
    "  delete FILE RECNO             mark a record deleted\n"
    "  tags FILE                     index tags and their key expressions\n"
    "  index FILE TAG EXPR           create (or replace) an index tag\n"
    "  order FILE TAG [--deleted]    records in tag order: recno, key\n"
    "  seek FILE TAG KEY [--nearest] [--deleted]\n"
    "                                found, eof, recno after the seek\n"
    "  pack FILE                     remove deleted records, rebuild tags\n"
    "  check FILE                    verify every index tag against the table\n";

}  // namespace

int runCommand(const Args& args, std::ostream& out, std::ostream& err)
{
    const std::map<std::string, std::function<int(const Args&, std::ostream&)>> commands = {
        {"info", info},   {"dump", dump},   {"count", count}, {"create", create},
        {"append", [&err](const Args& a, std::ostream& o) { return append(a, o, err); }},
        {"delete", remove}, {"tags", tags}, {"index", makeIndex}, {"order", order}, {"seek", seek},
        {"pack", pack},     {"check", check},
    };
    if (args.empty() || !commands.count(args[0])) {
        err << kUsage;
        return 2;
    }
    try {
        if (args.size() < 2)
            throw UsageError(args[0] + " needs a FILE");
        return commands.at(args[0])(args, out);
    } catch (const UsageError& e) {
        err << "usage: vinora-dbf " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        err << "vinora-dbf: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace vinora_dbf
