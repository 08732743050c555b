// A stand-in for the Windows tracking program's main window under Wine,
// titled "Kepral32(SGP4)": buttons with the control ids the panel clicks,
// each click appended to LOG_FILE as "click <id>", each activation as "activated"; the macro's start button
// (39) opens a window titled "マクロ実行ステータス" and its stop button (101)
// closes it. The pass prediction text (PASS_FILE, UTF-8, read afresh for
// every WM_GETTEXT) is the text of the window 56 siblings after the first
// "ThunderRT6CommandButton" child.
// Usage: vmkepral.exe LOG_FILE PASS_FILE

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const wchar_t *g_logFile = nullptr;
const wchar_t *g_passFile = nullptr;
HWND g_macroStatus = nullptr;

std::wstring fileText(const wchar_t *path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::string utf8;
    for (char c : bytes.str()) { // the window's lines end in CR LF
        if (c == '\n' && (utf8.empty() || utf8.back() != '\r'))
            utf8 += '\r';
        utf8 += c;
    }
    std::wstring text(utf8.size(), L'\0');
    text.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(), int(text.size()))));
    return text;
}

LRESULT CALLBACK windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
        if (FILE *log = _wfopen(g_logFile, L"ab")) {
            std::fprintf(log, "activated\n");
            std::fclose(log);
        }
    }
    if (msg != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return DefWindowProcW(window, msg, wParam, lParam);
    const int id = LOWORD(wParam);
    if (FILE *log = _wfopen(g_logFile, L"ab")) {
        std::fprintf(log, "click %d\n", id);
        std::fclose(log);
    }
    if (id == 39 && !g_macroStatus)
        g_macroStatus = CreateWindowW(L"STATIC", L"マクロ実行ステータス", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      200, 60, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (id == 101 && g_macroStatus) {
        DestroyWindow(g_macroStatus);
        g_macroStatus = nullptr;
    }
    return 0;
}

LRESULT CALLBACK passTextProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_GETTEXT && msg != WM_GETTEXTLENGTH)
        return DefWindowProcW(window, msg, wParam, lParam);
    const std::wstring text = fileText(g_passFile);
    if (msg == WM_GETTEXTLENGTH)
        return LRESULT(text.size());
    const size_t n = wParam == 0 ? 0 : (text.size() < wParam - 1 ? text.size() : wParam - 1);
    text.copy(reinterpret_cast<wchar_t *>(lParam), n);
    if (wParam > 0)
        reinterpret_cast<wchar_t *>(lParam)[n] = L'\0';
    return LRESULT(n);
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 3)
        return 2;
    g_logFile = argv[1];
    g_passFile = argv[2];
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto registerClass = [instance](const wchar_t *name, WNDPROC proc) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = proc;
        wc.hInstance = instance;
        wc.lpszClassName = name;
        RegisterClassW(&wc);
    };
    registerClass(L"ThunderRT6FormDC", windowProc);
    registerClass(L"ThunderRT6CommandButton", DefWindowProcW);
    registerClass(L"PassText", passTextProc);
    HWND main = CreateWindowW(L"ThunderRT6FormDC", L"Kepral32(SGP4)", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                              300, nullptr, nullptr, instance, nullptr);
    for (int id : {36, 37, 39, 56, 57, 96, 98, 101})
        CreateWindowW(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 20, 20, main,
                      reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
    // The anchor and its siblings in a fixed order, whatever order Wine
    // gives new windows: each one placed right after the one before.
    HWND previous = CreateWindowW(L"ThunderRT6CommandButton", L"", WS_CHILD, 0, 0, 1, 1, main, nullptr, instance, nullptr);
    SetWindowPos(previous, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (int step = 1; step <= 56; ++step) {
        HWND next = CreateWindowW(step == 56 ? L"PassText" : L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, main, nullptr,
                                  instance, nullptr);
        SetWindowPos(next, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = next;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
