// The one shape of every module's message table: an id with its English and Japanese texts,
// listed in the order of the ids so that a lookup is an index.
#pragma once

#include <cstddef>
#include <string_view>

namespace wavelith {

template <typename Id>
struct MessageTexts {
    Id id;
    std::u16string_view english;
    std::u16string_view japanese;
};

// For a static_assert next to each table: every id once, in declaration order, up to Id::Count.
template <typename Id, size_t N>
constexpr bool isCompleteInIdOrder(const MessageTexts<Id> (&table)[N]) {
    if (N != static_cast<size_t>(Id::Count)) return false;
    for (size_t i = 0; i < N; ++i)
        if (table[i].id != static_cast<Id>(i)) return false;
    return true;
}

template <typename Id, size_t N>
constexpr std::u16string_view messageText(const MessageTexts<Id> (&table)[N], Id id, bool japanese) {
    const MessageTexts<Id>& texts = table[static_cast<size_t>(id)];
    return japanese ? texts.japanese : texts.english;
}

}  // namespace wavelith
