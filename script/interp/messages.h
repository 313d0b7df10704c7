// Every text the interpreter sends to the host's message sink, in English and Japanese.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace wavelith::script {

// ORDER: rows of the table in messages.cpp.
enum class Message {
    UnassignedVariable,
    InvalidIndex,
    DivisionByZero,
    RemainderByZero,
    DivideAssignByZero,
    RemainderAssignByZero,
    UnknownFunction,
    UnknownAppFunction,
    TooManyCalls,
    NestingTooDeep,
    UnknownLabel,
    RegexError,
    RegexTooComplex,
    RuntimeError,
    BadAlloc,
    UnknownError,
    InvalidParameter,
    OutOfMemoryTranslating,
    ConvertError,
    Count
};

using MessageArgument = std::variant<int32_t, std::string_view>;

struct MessageText {
    unsigned code;
    const char* english;
    const char* japanese;
};

const MessageText& messageText(Message message);

// Formats as wsprintfW would: %d an integer, %S a narrow (UTF-8) text, %% one percent sign.
std::u16string formatMessage(const char* format, std::initializer_list<MessageArgument> arguments);

}  // namespace wavelith::script
