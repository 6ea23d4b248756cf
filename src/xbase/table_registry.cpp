#include "xbase/table_registry.h"

namespace xbase {

TableRegistry& TableRegistry::instance()
{
    static TableRegistry registry;
    return registry;
}

std::shared_ptr<Table> TableRegistry::find(const std::string& key)
{
    std::lock_guard lock(mutex_);
    auto it = tables_.find(key);
    if (it == tables_.end())
        return nullptr;
    auto table = it->second.lock();
    if (!table)
        tables_.erase(it);
    return table;
}

void TableRegistry::add(const std::string& key, const std::shared_ptr<Table>& table)
{
    std::lock_guard lock(mutex_);
    tables_[key] = table;
}

}  // namespace xbase
