// A stand-in tracking program under Wine: a DDE server for SERVICE|TOPIC that
// answers CF_TEXT requests with the values of VALUES_FILE (lines "item=value",
// read afresh at every request, so a test changes them by rewriting the
// file), and a top-level window titled TITLE, as the real program shows.
// Items may also be linked by advise: when the file changes, the server
// posts the new values. Each request and advise start is appended to
// LOG_FILE ("request <item>", "advise <item>").
// Usage: ddeserver.exe SERVICE TOPIC TITLE VALUES_FILE LOG_FILE

#include <windows.h>
// DDEML needs the types of windows.h first.
#include <ddeml.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

DWORD g_instance = 0;
HSZ g_topic = nullptr;
std::wstring g_valuesFile;
std::wstring g_logFile;
std::string g_lastValues;

void note(const char *what, const char *item)
{
    std::ofstream(g_logFile.c_str(), std::ios::app) << what << ' ' << item << '\n';
}

std::string fileText()
{
    std::ifstream in(g_valuesFile.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string itemValue(const std::string &item, bool *found)
{
    std::ifstream in(g_valuesFile.c_str());
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.compare(0, item.size() + 1, item + '=') == 0) {
            *found = true;
            return line.substr(item.size() + 1);
        }
    }
    *found = false;
    return {};
}

HDDEDATA CALLBACK callback(UINT type, UINT format, HCONV, HSZ topic, HSZ item, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    switch (type) {
    case XTYP_CONNECT:
        return HDDEDATA(UINT_PTR(DdeCmpStringHandles(topic, g_topic) == 0));
    case XTYP_ADVSTART: {
        char name[256] = {};
        DdeQueryStringA(g_instance, item, name, sizeof name, CP_WINANSI);
        bool found = false;
        itemValue(name, &found);
        if (found && format == CF_TEXT)
            note("advise", name);
        return HDDEDATA(UINT_PTR(found && format == CF_TEXT));
    }
    case XTYP_REQUEST:
    case XTYP_ADVREQ: {
        if (format != CF_TEXT)
            return nullptr;
        char name[256] = {};
        DdeQueryStringA(g_instance, item, name, sizeof name, CP_WINANSI);
        if (type == XTYP_REQUEST)
            note("request", name);
        bool found = false;
        const std::string value = itemValue(name, &found);
        if (!found)
            return nullptr;
        return DdeCreateDataHandle(g_instance, LPBYTE(value.c_str()), DWORD(value.size() + 1), 0, item,
                                   CF_TEXT, 0);
    }
    default:
        return nullptr;
    }
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 6)
        return 2;
    g_valuesFile = argv[4];
    g_logFile = argv[5];
    if (DdeInitializeW(&g_instance, callback, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0) !=
        DMLERR_NO_ERROR)
        return 1;
    HSZ service = DdeCreateStringHandleW(g_instance, argv[1], CP_WINUNICODE);
    g_topic = DdeCreateStringHandleW(g_instance, argv[2], CP_WINUNICODE);
    if (!DdeNameService(g_instance, service, nullptr, DNS_REGISTER))
        return 1;
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"DdeServerStandIn";
    RegisterClassW(&wc);
    CreateWindowW(wc.lpszClassName, argv[3], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                  nullptr, wc.hInstance, nullptr);
    // A changed file is pushed to the advise links.
    g_lastValues = fileText();
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        std::string now = fileText();
        if (now == g_lastValues)
            return;
        g_lastValues = std::move(now);
        // Item by item: Wine's DDEML does not take a null item for "all".
        std::istringstream lines(g_lastValues);
        std::string line;
        while (std::getline(lines, line)) {
            const std::string name = line.substr(0, line.find('='));
            HSZ item = DdeCreateStringHandleA(g_instance, name.c_str(), CP_WINANSI);
            DdePostAdvise(g_instance, g_topic, item);
            DdeFreeStringHandle(g_instance, item);
        }
    });
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
