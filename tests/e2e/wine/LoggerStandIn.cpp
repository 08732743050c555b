// A stand-in logging program under Wine: a window of class "TThwin" that
// appends every WM_COPYDATA it receives to LOG_FILE as one line,
// "<dwData in hex> <cbData bytes in hex>", and answers 1.
// Usage: tthwin.exe LOG_FILE

#include <windows.h>

#include <cstdio>

namespace {

const wchar_t *g_logFile = nullptr;

LRESULT CALLBACK windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_COPYDATA)
        return DefWindowProcW(window, msg, wParam, lParam);
    const auto *cds = reinterpret_cast<const COPYDATASTRUCT *>(lParam);
    FILE *log = _wfopen(g_logFile, L"ab");
    if (!log)
        return 0;
    std::fprintf(log, "%08lx ", static_cast<unsigned long>(cds->dwData));
    for (DWORD i = 0; i < cds->cbData; ++i)
        std::fprintf(log, "%02x", static_cast<const unsigned char *>(cds->lpData)[i]);
    std::fprintf(log, "\n");
    std::fclose(log);
    return 1;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 2)
        return 2;
    g_logFile = argv[1];
    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TThwin";
    RegisterClassW(&wc);
    CreateWindowW(wc.lpszClassName, L"Turbo HAMLOG/Win", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                  nullptr, nullptr, wc.hInstance, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
