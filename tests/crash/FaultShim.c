/* Preloaded into a program under test: counts the calls that change files (open, write, fsync,
 * rename, unlink, truncate) and, at the call numbered in the environment, kills the process
 * before the call or makes the call fail.
 *   CKW_FAULT_KILL_AT=N    SIGKILL at call N
 *   CKW_FAULT_FAIL_AT=N    call N fails with CKW_FAULT_ERRNO (default EIO)
 *   CKW_FAULT_COUNT_FILE=F the number of calls made is written to F when the program ends
 * Or it fails the calls on one file, whatever their number:
 *   CKW_FAULT_PATH=TEXT    calls on a path holding TEXT fail with CKW_FAULT_ERRNO ...
 *   CKW_FAULT_CALLS=LIST   ... only these calls (say "open,remove"; default all) ...
 *   CKW_FAULT_FROM=N       ... from the N-th such call on (default the first)
 *   CKW_FAULT_DIR_FSYNC=1  fsync and fdatasync of a directory fail with CKW_FAULT_ERRNO */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

static long g_calls;
static long g_killAt = -1;
static long g_failAt = -1;
static int g_errno = EIO;
static const char* g_path;
static const char* g_onlyCalls;
static long g_from = 1;
static long g_matched;
static int g_dirFsync;

static long EnvNumber(const char* name, long fallback) {
    const char* v = getenv(name);
    return v && *v ? strtol(v, NULL, 10) : fallback;
}

__attribute__((constructor)) static void Start(void) {
    g_killAt = EnvNumber("CKW_FAULT_KILL_AT", -1);
    g_failAt = EnvNumber("CKW_FAULT_FAIL_AT", -1);
    g_errno = (int)EnvNumber("CKW_FAULT_ERRNO", EIO);
    g_path = getenv("CKW_FAULT_PATH");
    if (g_path && !*g_path) g_path = NULL;
    g_onlyCalls = getenv("CKW_FAULT_CALLS");
    g_from = EnvNumber("CKW_FAULT_FROM", 1);
    g_dirFsync = (int)EnvNumber("CKW_FAULT_DIR_FSYNC", 0);
}

__attribute__((destructor)) static void End(void) {
    const char* file = getenv("CKW_FAULT_COUNT_FILE");
    if (!file || !*file) return;
    FILE* f = fopen(file, "w");
    if (!f) return;
    fprintf(f, "%ld\n", g_calls);
    fclose(f);
}

/* 1 = the call is to fail (errno set); the process dies here when this is the kill point. */
static int Point(void) {
    ++g_calls;
    if (g_calls == g_killAt) kill(getpid(), SIGKILL);
    if (g_calls == g_failAt) {
        errno = g_errno;
        return 1;
    }
    return 0;
}

/* 1 = this call on this path is to fail (errno set). */
static int OnPath(const char* call, const char* path) {
    if (!g_path || !path || !strstr(path, g_path)) return 0;
    if (g_onlyCalls) {
        const size_t n = strlen(call);
        const char* at = strstr(g_onlyCalls, call);
        while (at && !((at == g_onlyCalls || at[-1] == ',') && (at[n] == ',' || at[n] == 0))) at = strstr(at + 1, call);
        if (!at) return 0;
    }
    if (++g_matched < g_from) return 0;
    errno = g_errno;
    return 1;
}

/* 1 = an fsync of this descriptor is to fail (errno set): it is a directory's. */
static int DirSync(int fd) {
    struct stat st;
    if (!g_dirFsync || fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode)) return 0;
    errno = g_errno;
    return 1;
}

#define REAL(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))

ssize_t write(int fd, const void* buf, size_t n) { return Point() ? -1 : REAL(write)(fd, buf, n); }
ssize_t pwrite(int fd, const void* buf, size_t n, off_t at) { return Point() ? -1 : REAL(pwrite)(fd, buf, n, at); }
ssize_t pwrite64(int fd, const void* buf, size_t n, off64_t at) {
    return Point() ? -1 : REAL(pwrite64)(fd, buf, n, at);
}
int fsync(int fd) { return Point() || DirSync(fd) ? -1 : REAL(fsync)(fd); }
int fdatasync(int fd) { return Point() || DirSync(fd) ? -1 : REAL(fdatasync)(fd); }
int rename(const char* a, const char* b) {
    return Point() || OnPath("rename", a) || OnPath("rename", b) ? -1 : REAL(rename)(a, b);
}
int renameat(int da, const char* a, int db, const char* b) {
    return Point() || OnPath("rename", a) || OnPath("rename", b) ? -1 : REAL(renameat)(da, a, db, b);
}
int unlink(const char* p) { return Point() || OnPath("unlink", p) ? -1 : REAL(unlink)(p); }
/* Not counted (the C library's remove calls its own unlink), but a path's removal can fail. */
int remove(const char* p) { return OnPath("remove", p) ? -1 : REAL(remove)(p); }
int ftruncate(int fd, off_t n) { return Point() ? -1 : REAL(ftruncate)(fd, n); }
int ftruncate64(int fd, off64_t n) { return Point() ? -1 : REAL(ftruncate64)(fd, n); }

static mode_t ModeOf(int flags, va_list ap) { return (flags & (O_CREAT | O_TMPFILE)) ? va_arg(ap, mode_t) : 0; }

int open(const char* p, int flags, ...) {
    va_list ap;
    va_start(ap, flags);
    mode_t mode = ModeOf(flags, ap);
    va_end(ap);
    return Point() || OnPath("open", p) ? -1 : REAL(open)(p, flags, mode);
}
int open64(const char* p, int flags, ...) {
    va_list ap;
    va_start(ap, flags);
    mode_t mode = ModeOf(flags, ap);
    va_end(ap);
    return Point() || OnPath("open", p) ? -1 : REAL(open64)(p, flags, mode);
}
int openat(int dir, const char* p, int flags, ...) {
    va_list ap;
    va_start(ap, flags);
    mode_t mode = ModeOf(flags, ap);
    va_end(ap);
    return Point() || OnPath("open", p) ? -1 : REAL(openat)(dir, p, flags, mode);
}
