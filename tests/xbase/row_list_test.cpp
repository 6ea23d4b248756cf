// The chunked row list behaves like a plain sorted vector under random
// inserts and removals, across chunk splits and empty chunks.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "xbase/row_list.h"

namespace {

TEST(RowList, MatchesASortedVectorUnderRandomChanges)
{
    std::mt19937 rng(3);
    xbase::RowList list;
    list.reset(4);
    std::vector<std::pair<std::string, std::uint32_t>> model;
    auto keyOf = [](std::uint32_t v) {
        char k[5];
        std::snprintf(k, sizeof k, "%04u", v % 5000);
        return std::string(k, 4);
    };
    for (std::uint32_t r = 1; r <= 3000; ++r) {
        model.emplace_back(keyOf(r * 7919), r);
    }
    std::sort(model.begin(), model.end());
    for (const auto& [k, r] : model)
        list.pushBack(r, k);
    std::uint32_t next = 3001;
    for (int step = 0; step < 20000; ++step) {
        if (rng() % 2 && !model.empty()) {
            std::size_t i = rng() % model.size();
            ASSERT_EQ(list.find(model[i].second, model[i].first), i);
            list.erase(i);
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            // Clustered keys make one chunk grow until it splits.
            std::string k = step % 3 ? keyOf(rng()) : std::string("0042");
            std::pair<std::string, std::uint32_t> e{k, next++};
            std::size_t i = list.lowerBound(k, e.second);
            auto it = std::lower_bound(model.begin(), model.end(), e);
            ASSERT_EQ(i, static_cast<std::size_t>(it - model.begin()));
            list.insert(i, e.second, k);
            model.insert(it, e);
        }
        ASSERT_EQ(list.size(), model.size());
    }
    for (std::size_t i = 0; i < model.size(); ++i) {
        ASSERT_EQ(list.recno(i), model[i].second);
        ASSERT_EQ(list.key(i), model[i].first);
    }
    std::size_t first42 = list.lowerBound("0042", 0);
    EXPECT_TRUE(list.startsWith(first42, "0042"));
    EXPECT_TRUE(first42 == 0 || !list.startsWith(first42 - 1, "0042"));
    EXPECT_EQ(list.lowerBound("9999z", 0), list.size());
}

}  // namespace
