#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace xbase {

class Table;

// The tables this process has open, so that every open of one file shares
// one Table object.
class TableRegistry {
public:
    static TableRegistry& instance();

    // The live table registered under `key`, or null.
    std::shared_ptr<Table> find(const std::string& key);
    void add(const std::string& key, const std::shared_ptr<Table>& table);

private:
    std::mutex mutex_;
    std::map<std::string, std::weak_ptr<Table>> tables_;
};

}  // namespace xbase
