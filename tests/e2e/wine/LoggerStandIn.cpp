// A stand-in for a Windows program that takes WM_COPYDATA records: every
// record it receives is appended to its log as one line, "<dwData in hex>
// <cbData bytes in hex>", answered with 1; an Alt+key typed into it is logged
// as "key alt+<key>".
// Usage: tthwin.exe LOG_FILE   the logging program: a window of class "TThwin"
//        tthwin.exe            the mail tool: a window titled "HWCVお知らせツール",
//                              logging to mail.txt beside the exe (it is started
//                              by the panel, without arguments)

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring g_logFile;

void logLine(const std::string &line)
{
    if (FILE *log = _wfopen(g_logFile.c_str(), L"ab")) {
        std::fprintf(log, "%s\n", line.c_str());
        std::fclose(log);
    }
}

LRESULT CALLBACK windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SYSKEYDOWN && (lParam & (1 << 29)) && wParam != VK_MENU) {
        logLine(std::string("key alt+") + char(wParam));
        return 0;
    }
    if (msg != WM_COPYDATA)
        return DefWindowProcW(window, msg, wParam, lParam);
    const auto *cds = reinterpret_cast<const COPYDATASTRUCT *>(lParam);
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08lx ", static_cast<unsigned long>(cds->dwData));
    std::string line = hex;
    for (DWORD i = 0; i < cds->cbData; ++i) {
        std::snprintf(hex, sizeof hex, "%02x", static_cast<const unsigned char *>(cds->lpData)[i]);
        line += hex;
    }
    logLine(line);
    return 1;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    const bool mailTool = argc == 1;
    if (!mailTool && argc != 2)
        return 2;
    if (mailTool) {
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        g_logFile = exe;
        g_logFile = g_logFile.substr(0, g_logFile.find_last_of(L'\\') + 1) + L"mail.txt";
    } else {
        g_logFile = argv[1];
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = mailTool ? L"HWCVMailStandIn" : L"TThwin";
    RegisterClassW(&wc);
    CreateWindowW(wc.lpszClassName, mailTool ? L"HWCVお知らせツール" : L"Turbo HAMLOG/Win",
                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
