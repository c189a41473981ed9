// The program's built-in resources: form descriptions (and other data) that the build
// turns into objects of the program, found by name at run time.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/System.hpp"

enum TResourceType {
    rtForm,  // a form description in text form, registered under its form's class name
    rtIcon,  // the bytes of an icon file
};

struct TResourceEntry {
    const char *Name;
    TResourceType Type;
    const void *Data;
    std::size_t Size;
};

// A set of resources, found by name while the object exists. A later set may hold a
// name again; the newest entry of a name is the one found.
class TResources {
public:
    TResources(std::initializer_list<TResourceEntry> entries);
    ~TResources();
    TResources(const TResources &) = delete;
    TResources &operator=(const TResources &) = delete;

private:
    std::vector<TResourceEntry> entries_;
};

// The bytes of the resource `name` (matched without regard to case) of `type`, if any.
std::optional<std::string_view> FindResource(const AnsiString &name, TResourceType type);

// A resource could not be found.
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

// Links the resource set `module`, which the build generated, into the program (a
// static library leaves out what nothing refers to). Put it in the unit that uses them.
#define USE_RESOURCES(module)       \
    extern const TResources module; \
    [[maybe_unused]] __attribute__((used)) static const TResources *const module##_used = &module
