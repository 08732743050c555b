// A stand-in tracking program under Wine: a DDE server for SERVICE|TOPIC that
// answers CF_TEXT requests with the values of VALUES_FILE (lines "item=value",
// read afresh at every request, so a test changes them by rewriting the
// file), and a top-level window titled TITLE, as the real program shows.
// Usage: ddeserver.exe SERVICE TOPIC TITLE VALUES_FILE

#include <windows.h>
// DDEML needs the types of windows.h first.
#include <ddeml.h>

#include <fstream>
#include <string>

namespace {

DWORD g_instance = 0;
HSZ g_topic = nullptr;
std::wstring g_valuesFile;

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
    case XTYP_REQUEST: {
        if (format != CF_TEXT)
            return nullptr;
        char name[256] = {};
        DdeQueryStringA(g_instance, item, name, sizeof name, CP_WINANSI);
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
    if (argc != 5)
        return 2;
    g_valuesFile = argv[4];
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
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
