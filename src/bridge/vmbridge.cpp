// vmbridge.exe: our Windows side under Wine. Reads request frames on standard
// input and writes one reply frame per request on standard output (see
// platform/BridgeWire.h): DDE requests to a tracking program, WM_COPYDATA to a
// logging program's window, window lookups, and the tracking program's
// controls (clicks, texts). Plain Win32, one thread; ends
// when standard input closes.

#include "platform/BridgeWire.h"

#include <windows.h>
// DDEML needs the types of windows.h first.
#include <ddeml.h>

#include <iterator>
#include <map>
#include <set>
#include <string>

namespace bw = vm::BridgeWire;

namespace {

constexpr DWORD DdeTimeoutMs = 3000;
constexpr UINT CopyDataTimeoutMs = 5000;
constexpr UINT ShiftJis = 932;

std::wstring widen(const std::string &text, UINT codePage = CP_UTF8)
{
    if (text.empty())
        return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring out(size_t(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), out.data(), n);
    return out;
}

// nullopt-like: `ok` false when a character has no form in the code page.
std::string narrow(const std::wstring &text, UINT codePage, bool *ok = nullptr)
{
    if (ok)
        *ok = true;
    if (text.empty())
        return {};
    BOOL usedDefault = FALSE;
    const bool strict = codePage != CP_UTF8;
    const DWORD flags = strict ? WC_NO_BEST_FIT_CHARS : 0;
    const int n = WideCharToMultiByte(codePage, flags, text.data(), int(text.size()), nullptr, 0, nullptr,
                                      strict ? &usedDefault : nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), int(text.size()), out.data(), n, nullptr,
                        strict ? &usedDefault : nullptr);
    if (ok && (usedDefault || n == 0))
        *ok = false;
    return out;
}

bool readExactly(HANDLE in, char *buffer, DWORD size)
{
    while (size > 0) {
        DWORD got = 0;
        if (!ReadFile(in, buffer, size, &got, nullptr) || got == 0)
            return false;
        buffer += got;
        size -= got;
    }
    return true;
}

bool writeAll(HANDLE out, const std::string &bytes)
{
    const char *p = bytes.data();
    DWORD left = DWORD(bytes.size());
    while (left > 0) {
        DWORD put = 0;
        if (!WriteFile(out, p, left, &put, nullptr) || put == 0)
            return false;
        p += put;
        left -= put;
    }
    return true;
}

// Values the tracking program pushes on its advise links, by conversation
// and item; the DDEML callback fills it while the main thread handles messages.
struct AdviseKey {
    HCONV conv;
    std::string item;
    bool operator<(const AdviseKey &o) const { return conv != o.conv ? conv < o.conv : item < o.item; }
};
DWORD g_dde = 0;
std::map<AdviseKey, std::string> g_advised;

std::string ansiText(HDDEDATA data)
{
    std::string text(DdeGetData(data, nullptr, 0, 0), '\0');
    DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), DWORD(text.size()), 0);
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return narrow(widen(text, CP_ACP), CP_UTF8);
}

std::string itemName(HSZ item)
{
    wchar_t name[256] = {};
    DdeQueryStringW(g_dde, item, name, 255, CP_WINUNICODE);
    return narrow(name, CP_UTF8);
}

HDDEDATA CALLBACK ddeCallback(UINT type, UINT, HCONV conv, HSZ, HSZ item, HDDEDATA data, ULONG_PTR, ULONG_PTR)
{
    if (type == XTYP_ADVDATA) {
        const auto at = g_advised.find({conv, itemName(item)});
        if (at == g_advised.end() || !data)
            return HDDEDATA(DDE_FNOTPROCESSED);
        at->second = ansiText(data);
        return HDDEDATA(DDE_FACK);
    }
    if (type == XTYP_DISCONNECT) {
        for (auto at = g_advised.begin(); at != g_advised.end();)
            at = at->first.conv == conv ? g_advised.erase(at) : std::next(at);
    }
    return nullptr;
}

struct Reply {
    bw::Status status = bw::Status::Ok;
    std::uint32_t value = 0;
    std::string bytes;
};

class Bridge {
public:
    Bridge()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VelomiraBridge";
        RegisterClassW(&wc);
        // The sender handle of WM_COPYDATA; never shown.
        m_window = CreateWindowW(L"VelomiraBridge", L"Velomira", 0, 0, 0, 0, 0, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    }

    ~Bridge()
    {
        for (auto &[key, conv] : m_conversations)
            DdeDisconnect(conv);
        if (g_dde)
            DdeUninitialize(g_dde);
    }

    Reply handle(const bw::Frame &request)
    {
        // Requests that carry a single title or path: no NUL inside.
        const bool oneField = request.bytes.find('\0') == std::string::npos;
        switch (static_cast<bw::Op>(request.first)) {
        case bw::Op::Hello:
            return {bw::Status::Ok, bw::Version, "vmbridge"};
        case bw::Op::DdeRequest:
            if (auto f = bw::fields(request.bytes, 3))
                return ddeRequest((*f)[0], (*f)[1], (*f)[2]);
            break;
        case bw::Op::CopyData:
            if (auto f = bw::fields(request.bytes, 2))
                return copyData(request.second, (*f)[0], false, (*f)[1]);
            break;
        case bw::Op::CopyDataToTitle:
            if (auto f = bw::fields(request.bytes, 2))
                return copyData(request.second, (*f)[0], true, (*f)[1]);
            break;
        case bw::Op::StartProgram:
            if (oneField)
                return startProgram(request.bytes);
            break;
        case bw::Op::TypeAltKey:
            if (oneField && request.second < 256)
                return typeAltKey(request.bytes, WORD(request.second));
            break;
        case bw::Op::LookupWindow:
            if (request.second <= bw::FindByClass && oneField)
                return findWindow(request.second, request.bytes);
            break;
        case bw::Op::ClickControl:
            if (oneField)
                return clickControl(request.bytes, int(request.second));
            break;
        case bw::Op::RaiseWindow:
            if (oneField)
                return raiseWindow(request.bytes);
            break;
        case bw::Op::WindowText:
            if (auto f = bw::fields(request.bytes, 2))
                return windowText((*f)[0], (*f)[1], request.second);
            break;
        }
        return {bw::Status::BadRecord, 0, "unknown or malformed request"};
    }

private:
    // An item is requested once; where the program offers an advise link
    // for it, later requests are answered with the values it pushes (kept
    // while the conversation and the program's window last).
    Reply ddeRequest(const std::string &service, const std::string &topic, const std::string &item)
    {
        if (!g_dde && DdeInitializeW(&g_dde, ddeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
            g_dde = 0;
            return {bw::Status::Failed, 0, "DdeInitialize failed"};
        }
        const std::string key = service + '|' + topic;
        HCONV conv = m_conversations.count(key) ? m_conversations[key] : nullptr;
        if (conv && !partnerAlive(conv))
            conv = disconnect(key);
        if (!conv) {
            HSZ s = DdeCreateStringHandleW(g_dde, widen(service).c_str(), CP_WINUNICODE);
            HSZ t = DdeCreateStringHandleW(g_dde, widen(topic).c_str(), CP_WINUNICODE);
            conv = DdeConnect(g_dde, s, t, nullptr);
            DdeFreeStringHandle(g_dde, s);
            DdeFreeStringHandle(g_dde, t);
            if (!conv)
                return {bw::Status::NotFound, 0, "no DDE conversation with " + key};
            m_conversations[key] = conv;
        }
        pumpMessages();
        if (const auto advised = g_advised.find({conv, item}); advised != g_advised.end())
            return {bw::Status::Ok, 0, advised->second};
        HSZ i = DdeCreateStringHandleW(g_dde, widen(item).c_str(), CP_WINUNICODE);
        HDDEDATA data =
            DdeClientTransaction(nullptr, 0, conv, i, CF_TEXT, XTYP_REQUEST, DdeTimeoutMs, nullptr);
        if (!data) {
            DdeFreeStringHandle(g_dde, i);
            const UINT error = DdeGetLastError(g_dde);
            if (error == DMLERR_NOTPROCESSED)
                return {bw::Status::Refused, error, "item not served: " + item};
            // The program went away or hangs: connect afresh next time.
            disconnect(key);
            return {bw::Status::Failed, error, "DDE request failed: " + item};
        }
        const std::string text = ansiText(data);
        DdeFreeDataHandle(data);
        if (!m_adviseTried.count({conv, item})) {
            m_adviseTried.insert({conv, item});
            if (DdeClientTransaction(nullptr, 0, conv, i, CF_TEXT, XTYP_ADVSTART, DdeTimeoutMs, nullptr))
                g_advised[{conv, item}] = text;
        }
        DdeFreeStringHandle(g_dde, i);
        return {bw::Status::Ok, 0, text};
    }

    static bool partnerAlive(HCONV conv)
    {
        CONVINFO info{};
        info.cb = sizeof info;
        return DdeQueryConvInfo(conv, DWORD(QID_SYNC), &info) && IsWindow(info.hwndPartner);
    }

    HCONV disconnect(const std::string &key)
    {
        HCONV conv = m_conversations[key];
        m_conversations.erase(key);
        DdeDisconnect(conv);
        for (auto at = g_advised.begin(); at != g_advised.end();)
            at = at->first.conv == conv ? g_advised.erase(at) : std::next(at);
        for (auto at = m_adviseTried.begin(); at != m_adviseTried.end();)
            at = at->conv == conv ? m_adviseTried.erase(at) : std::next(at);
        return nullptr;
    }

    // DDE acknowledgements that arrive after a transaction wait in the queue
    // while the bridge reads its input; they are handled before the next one.
    static void pumpMessages()
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }

    Reply copyData(std::uint32_t dwData, const std::string &window, bool byTitle, const std::string &text)
    {
        HWND target = byTitle ? FindWindowW(nullptr, widen(window).c_str()) : FindWindowW(widen(window).c_str(), nullptr);
        if (!target)
            return {bw::Status::NotFound, 0, "no window " + window};
        bool ok = true;
        std::string ansi = narrow(widen(text), ShiftJis, &ok);
        if (!ok && !text.empty())
            return {bw::Status::Unencodable, 0, "not representable in Shift_JIS: " + text};
        // The receiver sees a buffer of at least 256 bytes, zero-filled past the text.
        std::string buffer = ansi;
        buffer.resize(ansi.size() < 256 ? 256 : ansi.size() + 1, '\0');
        COPYDATASTRUCT cds{};
        cds.dwData = dwData;
        cds.cbData = DWORD(ansi.size());
        cds.lpData = buffer.data();
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(target, WM_COPYDATA, WPARAM(m_window), LPARAM(&cds), SMTO_ABORTIFHUNG,
                                 CopyDataTimeoutMs, &result))
            return {bw::Status::Failed, 0, "WM_COPYDATA not answered"};
        return {bw::Status::Ok, std::uint32_t(result), {}};
    }

    Reply findWindow(std::uint32_t by, const std::string &name)
    {
        const std::wstring w = widen(name);
        HWND window =
            by == bw::FindByTitle ? FindWindowW(nullptr, w.c_str()) : FindWindowW(w.c_str(), nullptr);
        if (!window)
            return {bw::Status::NotFound, 0, {}};
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        std::wstring path;
        if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)) {
            wchar_t buffer[MAX_PATH * 2];
            DWORD size = MAX_PATH * 2;
            if (QueryFullProcessImageNameW(process, 0, buffer, &size))
                path.assign(buffer, size);
            CloseHandle(process);
        }
        return {bw::Status::Ok, pid, narrow(path, CP_UTF8) + '\0' + fileVersion(path)};
    }

    // The control of that id anywhere inside the window (controls may sit in frames).
    static HWND control(HWND window, int id)
    {
        if (HWND direct = GetDlgItem(window, id))
            return direct;
        struct Search {
            int id;
            HWND found;
        } search{id, nullptr};
        EnumChildWindows(
            window,
            [](HWND child, LPARAM p) -> BOOL {
                auto *s = reinterpret_cast<Search *>(p);
                if (GetDlgCtrlID(child) != s->id)
                    return TRUE;
                s->found = child;
                return FALSE;
            },
            LPARAM(&search));
        return search.found;
    }

    Reply clickControl(const std::string &title, int id)
    {
        HWND window = FindWindowW(nullptr, widen(title).c_str());
        if (!window)
            return {bw::Status::NotFound, 0, "no window titled " + title};
        HWND button = control(window, id);
        if (!button)
            return {bw::Status::NotFound, 0, "no control " + std::to_string(id) + " in " + title};
        if (!PostMessageW(button, BM_CLICK, 0, 0))
            return {bw::Status::Failed, 0, "BM_CLICK not posted"};
        return {bw::Status::Ok, 0, {}};
    }

    // A Windows program started in the prefix, given the time to show its window.
    static Reply startProgram(const std::string &path)
    {
        std::wstring commandLine = L"\"" + widen(path) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process))
            return {bw::Status::NotFound, 0, "cannot start " + path};
        WaitForInputIdle(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return {bw::Status::Ok, std::uint32_t(process.dwProcessId), {}};
    }

    // Alt and the key typed into the window, brought to the front first.
    Reply typeAltKey(const std::string &title, WORD key)
    {
        const Reply raised = raiseWindow(title);
        if (raised.status != bw::Status::Ok)
            return raised;
        INPUT input[4] = {};
        const WORD keys[4] = {VK_MENU, key, key, VK_MENU};
        for (int i = 0; i < 4; ++i) {
            input[i].type = INPUT_KEYBOARD;
            input[i].ki.wVk = keys[i];
            input[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
        }
        if (SendInput(4, input, sizeof(INPUT)) != 4)
            return {bw::Status::Failed, 0, "SendInput failed"};
        return {bw::Status::Ok, 0, {}};
    }

    Reply raiseWindow(const std::string &title)
    {
        HWND window = FindWindowW(nullptr, widen(title).c_str());
        if (!window)
            return {bw::Status::NotFound, 0, "no window titled " + title};
        if (IsIconic(window))
            ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
        BringWindowToTop(window);
        return {bw::Status::Ok, 0, {}};
    }

    Reply windowText(const std::string &title, const std::string &childClass, std::uint32_t steps)
    {
        HWND window = FindWindowW(nullptr, widen(title).c_str());
        if (!window)
            return {bw::Status::NotFound, 0, "no window titled " + title};
        HWND at = FindWindowExW(window, nullptr, widen(childClass).c_str(), nullptr);
        for (std::uint32_t i = 0; at && i < steps; ++i)
            at = GetWindow(at, GW_HWNDNEXT);
        if (!at)
            return {bw::Status::NotFound, 0, "no such child window in " + title};
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(at, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, CopyDataTimeoutMs, &length))
            return {bw::Status::Failed, 0, "WM_GETTEXTLENGTH not answered"};
        // The reply must fit a frame: UTF-8 takes up to three bytes per UTF-16 unit.
        length = length < bw::MaxLength / 3 ? length : bw::MaxLength / 3;
        std::wstring text(size_t(length) + 1, L'\0');
        DWORD_PTR got = 0;
        if (!SendMessageTimeoutW(at, WM_GETTEXT, WPARAM(text.size()), LPARAM(text.data()), SMTO_ABORTIFHUNG,
                                 CopyDataTimeoutMs, &got))
            return {bw::Status::Failed, 0, "WM_GETTEXT not answered"};
        text.resize(size_t(got));
        return {bw::Status::Ok, 0, narrow(text, CP_UTF8)};
    }

    static std::string fileVersion(const std::wstring &path)
    {
        if (path.empty())
            return {};
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        if (size == 0)
            return {};
        std::string info(size, '\0');
        VS_FIXEDFILEINFO *fixed = nullptr;
        UINT length = 0;
        if (!GetFileVersionInfoW(path.c_str(), 0, size, info.data()) ||
            !VerQueryValueW(info.data(), L"\\", reinterpret_cast<void **>(&fixed), &length) || !fixed)
            return {};
        return std::to_string(HIWORD(fixed->dwFileVersionMS)) + '.' +
               std::to_string(LOWORD(fixed->dwFileVersionMS)) + '.' +
               std::to_string(HIWORD(fixed->dwFileVersionLS)) + '.' +
               std::to_string(LOWORD(fixed->dwFileVersionLS));
    }

    HWND m_window = nullptr;
    std::map<std::string, HCONV> m_conversations;
    std::set<AdviseKey> m_adviseTried;
};

} // namespace

// Standard input is read on a thread of its own, so that the main thread
// keeps handling window messages while it waits for the next request: other
// programs' DDE broadcasts (WM_DDE_INITIATE is sent to every top-level
// window, ours among them) would otherwise wait for an idle bridge.
struct Input {
    HANDLE in = nullptr;
    HANDLE ready = nullptr; // set when `frame` holds a request, or at the end
    HANDLE taken = nullptr; // set when the main thread has taken it
    std::string frame;
    bool ended = false;
    bool tooLong = false;
};

DWORD WINAPI readRequests(void *arg)
{
    auto *input = static_cast<Input *>(arg);
    for (;;) {
        char header[bw::HeaderSize];
        std::string frame;
        if (!readExactly(input->in, header, bw::HeaderSize)) {
            input->ended = true;
        } else {
            const std::uint32_t length = bw::getU32(std::string_view(header, bw::HeaderSize), 8);
            frame.assign(header, bw::HeaderSize);
            if (length > bw::MaxLength) {
                input->tooLong = input->ended = true;
            } else {
                frame.resize(bw::HeaderSize + length);
                if (!readExactly(input->in, frame.data() + bw::HeaderSize, length))
                    input->ended = true;
            }
        }
        input->frame = std::move(frame);
        SetEvent(input->ready);
        if (input->ended)
            return 0;
        WaitForSingleObject(input->taken, INFINITE);
    }
}

int main()
{
    Input input;
    input.in = GetStdHandle(STD_INPUT_HANDLE);
    input.ready = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    input.taken = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    Bridge bridge;
    if (!CreateThread(nullptr, 0, readRequests, &input, 0, nullptr))
        return 1;
    for (;;) {
        if (MsgWaitForMultipleObjects(1, &input.ready, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
            continue;
        }
        if (input.tooLong) {
            writeAll(out, bw::encode(std::uint32_t(bw::Status::BadRecord), 0, "frame too long"));
            return 1;
        }
        if (input.ended)
            return 0;
        bw::Frame request;
        std::size_t used = 0;
        bw::parse(input.frame, &request, &used);
        SetEvent(input.taken);
        const Reply reply = bridge.handle(request);
        if (!writeAll(out, bw::encode(std::uint32_t(reply.status), reply.value, reply.bytes)))
            return 0;
    }
}
