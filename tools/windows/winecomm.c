/* For the Wine test harness only (tools/windows/test.sh); never shipped.
 * The harness gives the programs a copy of Qt6SerialPort.dll whose KERNEL32
 * imports name this DLL instead: it answers four of them and forwards the
 * rest to KERNEL32 (wine.sh writes the list).
 *
 * Wine 8.0's WaitCommEvent never queues a packet to the completion port a
 * handle is bound to, and with an OVERLAPPED that has no event it waits in
 * the calling thread. QSerialPort waits exactly that way and hears of
 * completions only through its port, so it never learns that bytes came in.
 * Wine's deferred wait also polls the modem lines and gives up on a
 * pseudo-terminal, which has none.
 *
 * Here a wait on EV_RXCHAR alone, on a handle bound to a completion port,
 * runs as on Windows: it is pending at once, and a thread of its own polls
 * the input queue and posts the packet once bytes are there. A queue that
 * cannot be read any more (the pseudo-terminal's other side gone, which the
 * tests use for a pulled USB adapter) ends it with ERROR_DEVICE_REMOVED;
 * CancelIo and CloseHandle end it with ERROR_OPERATION_ABORTED. Every other
 * wait goes to Wine as it is. */
#define WIN32_NO_STATUS
#include <windows.h>
#undef WIN32_NO_STATUS
#include <ntstatus.h>
#include <winternl.h>

typedef NTSTATUS(NTAPI *SetIoCompletionFn)(HANDLE, ULONG_PTR, ULONG_PTR, NTSTATUS, SIZE_T);

typedef struct {
    HANDLE file, port;
    ULONG_PTR key;
} Binding;

typedef struct {
    HANDLE file, port, thread;
    ULONG_PTR key;
    OVERLAPPED *overlapped;
    DWORD *events;
    volatile LONG cancelled;
} Wait;

#define MAX_BINDINGS 64
#define MAX_WAITS 64

static CRITICAL_SECTION lock;
static Binding bindings[MAX_BINDINGS];
static Wait *waits[MAX_WAITS];
static SetIoCompletionFn setIoCompletion;

static void post(Wait *w, NTSTATUS status, DWORD events)
{
    *w->events = events;
    w->overlapped->Internal = status;
    w->overlapped->InternalHigh = status ? 0 : sizeof(DWORD);
    setIoCompletion(w->port, w->key, (ULONG_PTR)w->overlapped, status, w->overlapped->InternalHigh);
}

static DWORD WINAPI waiter(void *arg)
{
    Wait *w = arg;
    for (;;) {
        if (w->cancelled) {
            post(w, STATUS_CANCELLED, 0);
            break;
        }
        COMSTAT stat;
        DWORD errors;
        if (!ClearCommError(w->file, &errors, &stat)) {
            post(w, STATUS_DEVICE_REMOVED, 0);
            break;
        }
        if (stat.cbInQue > 0) {
            post(w, STATUS_SUCCESS, EV_RXCHAR);
            break;
        }
        Sleep(1);
    }
    return 0;
}

static BOOL bound(HANDLE file, HANDLE *port, ULONG_PTR *key)
{
    BOOL found = FALSE;
    EnterCriticalSection(&lock);
    for (int i = 0; i < MAX_BINDINGS && !found; ++i) {
        if (bindings[i].file == file) {
            *port = bindings[i].port;
            *key = bindings[i].key;
            found = TRUE;
        }
    }
    LeaveCriticalSection(&lock);
    return found;
}

/* Ends and forgets the waits on file. */
static void endWaits(HANDLE file, BOOL forgetBinding)
{
    Wait *ended[MAX_WAITS];
    int n = 0;
    EnterCriticalSection(&lock);
    for (int i = 0; i < MAX_WAITS; ++i) {
        if (waits[i] && waits[i]->file == file) {
            InterlockedExchange(&waits[i]->cancelled, 1);
            ended[n++] = waits[i];
            waits[i] = NULL;
        }
    }
    if (forgetBinding)
        for (int i = 0; i < MAX_BINDINGS; ++i)
            if (bindings[i].file == file)
                bindings[i].file = NULL;
    LeaveCriticalSection(&lock);
    /* Bounded: a close under the loader lock cannot see a thread end. */
    for (int i = 0; i < n; ++i) {
        WaitForSingleObject(ended[i]->thread, 2000);
        CloseHandle(ended[i]->thread);
        HeapFree(GetProcessHeap(), 0, ended[i]);
    }
}

/* Finished waits of file are forgotten before a new one starts. */
static void reap(HANDLE file)
{
    Wait *done[MAX_WAITS];
    int n = 0;
    EnterCriticalSection(&lock);
    for (int i = 0; i < MAX_WAITS; ++i) {
        if (waits[i] && waits[i]->file == file && WaitForSingleObject(waits[i]->thread, 0) == WAIT_OBJECT_0) {
            done[n++] = waits[i];
            waits[i] = NULL;
        }
    }
    LeaveCriticalSection(&lock);
    for (int i = 0; i < n; ++i) {
        CloseHandle(done[i]->thread);
        HeapFree(GetProcessHeap(), 0, done[i]);
    }
}

HANDLE WINAPI hook_CreateIoCompletionPort(HANDLE file, HANDLE existing, ULONG_PTR key, DWORD threads)
{
    HANDLE port = CreateIoCompletionPort(file, existing, key, threads);
    if (port && file != INVALID_HANDLE_VALUE) {
        EnterCriticalSection(&lock);
        for (int i = 0; i < MAX_BINDINGS; ++i) {
            if (!bindings[i].file || bindings[i].file == file) {
                bindings[i].file = file;
                bindings[i].port = port;
                bindings[i].key = key;
                break;
            }
        }
        LeaveCriticalSection(&lock);
    }
    return port;
}

BOOL WINAPI hook_WaitCommEvent(HANDLE file, LPDWORD events, LPOVERLAPPED overlapped)
{
    HANDLE port;
    ULONG_PTR key;
    DWORD mask = 0;
    if (!overlapped || overlapped->hEvent || !bound(file, &port, &key) || !GetCommMask(file, &mask)
        || mask != EV_RXCHAR)
        return WaitCommEvent(file, events, overlapped);
    reap(file);
    Wait *w = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *w);
    if (!w) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    w->file = file;
    w->port = port;
    w->key = key;
    w->overlapped = overlapped;
    w->events = events;
    overlapped->Internal = STATUS_PENDING;
    if (!(w->thread = CreateThread(NULL, 0, waiter, w, CREATE_SUSPENDED, NULL))) {
        HeapFree(GetProcessHeap(), 0, w);
        return FALSE;
    }
    EnterCriticalSection(&lock);
    int slot = -1;
    for (int i = 0; i < MAX_WAITS && slot < 0; ++i)
        if (!waits[i])
            slot = i;
    if (slot >= 0)
        waits[slot] = w;
    LeaveCriticalSection(&lock);
    if (slot < 0) {
        TerminateThread(w->thread, 0);
        CloseHandle(w->thread);
        HeapFree(GetProcessHeap(), 0, w);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    ResumeThread(w->thread);
    SetLastError(ERROR_IO_PENDING);
    return FALSE;
}

BOOL WINAPI hook_CancelIo(HANDLE file)
{
    endWaits(file, FALSE);
    return CancelIo(file);
}

BOOL WINAPI hook_CloseHandle(HANDLE handle)
{
    endWaits(handle, TRUE);
    return CloseHandle(handle);
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void *reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(self);
        InitializeCriticalSection(&lock);
        setIoCompletion = (SetIoCompletionFn)(void *)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtSetIoCompletion");
    }
    return TRUE;
}
