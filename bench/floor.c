/* The least a folder listing can cost: one thread, depth first; per folder
 * open + getdents64, per file one fstatat, the local time of its mtime and one
 * output line, gathered in a 1 MiB buffer and written with write(2). A
 * folder's files come before its sub-folders, as in a listing.
 *
 *   floor csv DIR    folder,name,size,date lines
 *   floor html DIR   one heading per folder and one table row per file
 *   floor attrs DIR  the same, and per file one read of the user.DOSATTRIB
 *                    attribute (getxattrat where the kernel has it), shown
 *                    as a last column: what an attributes column costs at least
 */
#define _GNU_SOURCE
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <time.h>
#include <unistd.h>

enum { kOutSize = 1 << 20, kPathMax = 4096 };

static char g_out[kOutSize];
static size_t g_used;
static int g_html;
static int g_attrs;

#ifndef SYS_getxattrat
#define SYS_getxattrat 464
#endif

struct XattrArgs {
    unsigned long long value;
    unsigned size, flags;
};

/* The attribute's text, or "" when the file has none. */
static void readAttr(int dir, const char *name, const char *path, size_t pathLength, char *value, size_t size) {
    static int noGetxattrat;
    long n = -1;
    if (!noGetxattrat) {
        struct XattrArgs args = {(unsigned long long)(unsigned long)value, (unsigned)size - 1, 0};
        n = syscall(SYS_getxattrat, dir, name, 0, "user.DOSATTRIB", &args, sizeof args);
        if (n < 0 && errno == ENOSYS) noGetxattrat = 1;
    }
    if (noGetxattrat) {
        char full[kPathMax * 2];
        snprintf(full, sizeof full, "%.*s/%s", (int)pathLength, path, name);
        n = getxattr(full, "user.DOSATTRIB", value, size - 1);
    }
    value[n > 0 ? n : 0] = 0;
}

static void flushOut(void) {
    size_t at = 0;
    while (at < g_used) {
        ssize_t n = write(1, g_out + at, g_used - at);
        if (n <= 0) exit(3);
        at += (size_t)n;
    }
    g_used = 0;
}

static void emit(const char *text, size_t n) {
    if (g_used + n > kOutSize) flushOut();
    memcpy(g_out + g_used, text, n);
    g_used += n;
}

static void emitText(const char *text) { emit(text, strlen(text)); }

struct Dirent64 {
    unsigned long long ino;
    long long off;
    unsigned short reclen;
    unsigned char type;
    char name[];
};

struct Names {
    char **items;
    size_t count, capacity;
};

static void addName(struct Names *names, const char *name) {
    if (names->count == names->capacity) {
        names->capacity = names->capacity ? names->capacity * 2 : 16;
        names->items = realloc(names->items, names->capacity * sizeof *names->items);
        if (!names->items) exit(4);
    }
    names->items[names->count++] = strdup(name);
}

static void listFile(int dir, const char *name, const char *path, size_t pathLength) {
    struct stat st;
    if (fstatat(dir, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return;
    struct tm local;
    localtime_r(&st.st_mtime, &local);
    char date[32];
    strftime(date, sizeof date, "%Y-%m-%d %H:%M", &local);
    char attr[256] = "";
    if (g_attrs) readAttr(dir, name, path, pathLength, attr, sizeof attr);
    char line[8192];
    int n = g_attrs  ? snprintf(line, sizeof line,
                                "<tr><td>%s</td><td align=right>%.1f KB</td><td>%s</td><td>%.4s</td></tr>\r\n", name,
                                (double)st.st_size / 1024.0, date, attr)
            : g_html ? snprintf(line, sizeof line, "<tr><td>%s</td><td align=right>%.1f KB</td><td>%s</td></tr>\r\n",
                                name, (double)st.st_size / 1024.0, date)
                     : snprintf(line, sizeof line, "%.*s,%s,%lld,%s\n", (int)pathLength, path, name,
                              (long long)st.st_size, date);
    if (n > 0) emit(line, (size_t)n < sizeof line ? (size_t)n : sizeof line - 1);
}

static void walk(int dir, char *path, size_t pathLength) {
    char buffer[1 << 16];
    struct Names folders = {0};
    for (;;) {
        long got = syscall(SYS_getdents64, dir, buffer, sizeof buffer);
        if (got <= 0) break;
        for (long at = 0; at < got;) {
            const struct Dirent64 *d = (const void *)(buffer + at);
            at += d->reclen;
            const char *name = d->name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
            struct stat st;
            const int folder = d->type == DT_DIR ||
                               (d->type == DT_UNKNOWN && fstatat(dir, name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                                S_ISDIR(st.st_mode));
            if (folder)
                addName(&folders, name);
            else
                listFile(dir, name, path, pathLength);
        }
    }
    for (size_t i = 0; i < folders.count; ++i) {
        const char *name = folders.items[i];
        const size_t length = strlen(name);
        if (pathLength + 1 + length < kPathMax) {
            path[pathLength] = '/';
            memcpy(path + pathLength + 1, name, length + 1);
            int sub = openat(dir, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (sub >= 0) {
                if (g_html) {
                    emitText("<h3>");
                    emit(path, pathLength + 1 + length);
                    emitText("</h3>\r\n<table>\r\n");
                }
                walk(sub, path, pathLength + 1 + length);
                if (g_html) emitText("</table>\r\n");
                close(sub);
            }
            path[pathLength] = 0;
        }
        free(folders.items[i]);
    }
    free(folders.items);
}

int main(int argc, char **argv) {
    if (argc != 3 || (strcmp(argv[1], "csv") != 0 && strcmp(argv[1], "html") != 0 && strcmp(argv[1], "attrs") != 0)) {
        fprintf(stderr, "usage: floor csv|html|attrs DIR\n");
        return 1;
    }
    g_attrs = strcmp(argv[1], "attrs") == 0;
    g_html = g_attrs || strcmp(argv[1], "html") == 0;
    static char path[kPathMax];
    snprintf(path, sizeof path, "%s", argv[2]);
    int dir = open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) {
        perror(path);
        return 2;
    }
    walk(dir, path, strlen(path));
    flushOut();
    return 0;
}
