#pragma once

// Frames between a Linux program and vmbridge.exe, our Windows program under
// Wine that talks to the operator's Windows programs (DDE, WM_COPYDATA, window
// lookups). The Linux side starts "wine vmbridge.exe" and exchanges frames
// over the program's standard input and output: one request, then its reply,
// strictly in turn. Every integer is an unsigned 32-bit little-endian number.
//   request: op | arg | length | length bytes
//   reply:   status | value | length | length bytes
// Texts are UTF-8 in both directions; the bridge converts them to and from the
// Windows programs' code pages. Plain C++ without Qt: vmbridge.exe includes it.
//
// Operations (arg, bytes -> value, bytes):
//   Hello       -                              -> Version, "vmbridge"
//   DdeRequest  -, service NUL topic NUL item  -> 0, the item's text (CF_TEXT)
//   CopyData    dwData, class NUL text         -> the window's result; the
//               text goes as WM_COPYDATA in Shift_JIS, synchronously, to the
//               first top-level window of that class
//   LookupWindow 0 by title / 1 by class, name  -> owner process id,
//               executable path NUL file version "a.b.c.d" (empty when unknown)
//   ClickControl control id, window title      -> 0; BM_CLICK is posted to the
//               control of that id inside the top-level window of that title
//               (posted: a click that opens a modal dialog must not hold the bridge)
//   WindowText  steps, window title NUL class  -> 0, the text (WM_GETTEXT) of
//               the window `steps` siblings after the first child of that
//               class inside the top-level window of that title
//   RaiseWindow -, window title                -> 0; the window is restored
//               when minimised and brought to the front
//   CopyDataToTitle dwData, title NUL text     -> as CopyData, to the
//               top-level window of that title
//   StartProgram -, Windows path of an .exe     -> its process id, once it
//               waits for input (at most 10 s)
//   TypeAltKey  virtual key, window title      -> 0; the window is brought to
//               the front and Alt+key typed into it
// Status NotFound: no such window, control or DDE service; Refused: no such item. An unknown op, a
// malformed request or one beyond MaxLength gets BadRecord; the bridge then
// reads on (a length beyond MaxLength cannot be skipped: it ends the bridge).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vm::BridgeWire {

inline constexpr std::uint32_t Version = 2; // 2: ClickControl to TypeAltKey
inline constexpr std::uint32_t MaxLength = 64 * 1024;
inline constexpr std::size_t HeaderSize = 12;

// Append-only: a new operation takes the next number.
enum class Op : std::uint32_t {
    Hello = 1,
    DdeRequest = 2,
    CopyData = 3,
    LookupWindow = 4,
    ClickControl = 5,
    WindowText = 6,
    RaiseWindow = 7,
    CopyDataToTitle = 8,
    StartProgram = 9,
    TypeAltKey = 10
};

enum class Status : std::uint32_t {
    Ok = 0,
    NotFound = 1,
    Failed = 2,      // the Windows call failed or timed out
    BadRecord = 3,   // unknown op, malformed request
    Unencodable = 4, // the text has characters Shift_JIS cannot carry; nothing sent
    Refused = 5      // the DDE server answered but does not serve that item
};

inline constexpr std::uint32_t FindByTitle = 0;
inline constexpr std::uint32_t FindByClass = 1;

struct Frame {
    std::uint32_t first = 0;  // request: op; reply: status
    std::uint32_t second = 0; // request: arg; reply: value
    std::string bytes;
};

inline void putU32(std::string &out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline std::uint32_t getU32(std::string_view in, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]);
    return v;
}

inline std::string encode(std::uint32_t first, std::uint32_t second, std::string_view bytes)
{
    std::string out;
    out.reserve(HeaderSize + bytes.size());
    putU32(out, first);
    putU32(out, second);
    putU32(out, static_cast<std::uint32_t>(bytes.size()));
    out.append(bytes);
    return out;
}

enum class Parse { NeedMore, Complete, Invalid };

// Parses one frame from the start of `buffer`; on Complete `*used` is its size.
inline Parse parse(std::string_view buffer, Frame *out, std::size_t *used)
{
    if (buffer.size() < HeaderSize)
        return Parse::NeedMore;
    const std::uint32_t length = getU32(buffer, 8);
    if (length > MaxLength)
        return Parse::Invalid;
    if (buffer.size() < HeaderSize + length)
        return Parse::NeedMore;
    out->first = getU32(buffer, 0);
    out->second = getU32(buffer, 4);
    out->bytes.assign(buffer.substr(HeaderSize, length));
    *used = HeaderSize + length;
    return Parse::Complete;
}

// The NUL-separated fields of a request's bytes; nullopt unless there are exactly `count`.
inline std::optional<std::vector<std::string>> fields(std::string_view bytes, std::size_t count)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t nul = bytes.find('\0', start);
        out.emplace_back(
            bytes.substr(start, nul == std::string_view::npos ? std::string_view::npos : nul - start));
        if (nul == std::string_view::npos)
            break;
        start = nul + 1;
    }
    if (out.size() != count)
        return std::nullopt;
    return out;
}

} // namespace vm::BridgeWire
