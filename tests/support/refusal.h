#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <source_location>
#include <stdexcept>

#include "store/fileerror.h"

namespace zm::test {

// The FileError (or the kind of it given) that `act` refuses with, for the
// caller to check its file, line and reason. When `act` goes through, the test
// fails at the caller's line and ends there: there is no error to check.
template <class Error = FileError>
Error refusalOf(const std::function<void()>& act,
                std::source_location where = std::source_location::current()) {
    try {
        act();
    } catch (const Error& e) {
        return e;
    }
    ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
        << "went through, refused nothing";
    throw std::logic_error("no refusal to check");
}

}  // namespace zm::test
