// What the attribute column costs per file, call by call, in one folder:
// the stat alone, the stat and the extended-attribute read as the local
// folder source makes them (fstatat + getxattrat relative to the folder), and
// the same two batched through io_uring (IORING_OP_STATX, IORING_OP_GETXATTR,
// which takes a whole path), 128 files a submission.
//
//   cc -O2 -o xattr_calls bench/xattr_calls.c -luring   (liburing-dev)
//   xattr_calls FOLDER [ROUNDS]
//
// Prints microseconds per file, wall and CPU (the kernel's io_uring workers
// count as the process's CPU).
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <linux/stat.h>
#include <liburing.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#ifndef SYS_getxattrat
#define SYS_getxattrat 464
#endif

enum { kMaxFiles = 8192, kBatch = 128, kValue = 512 };

struct XattrArgs {
    unsigned long long value;
    unsigned size, flags;
};

static char names[kMaxFiles][256];
static char paths[kMaxFiles][4096];
static struct statx results[kMaxFiles];
static int files;

static double seconds(clockid_t clock) {
    struct timespec t;
    clock_gettime(clock, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

static double cpuSeconds(void) {
    struct rusage u;
    getrusage(RUSAGE_SELF, &u);
    return (double)(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + (double)(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

static void byCalls(int dir, int withXattr) {
    char value[kValue];
    for (int i = 0; i < files; ++i) {
        struct stat st;
        fstatat(dir, names[i], &st, 0);
        if (withXattr) {
            struct XattrArgs args = {(unsigned long long)(unsigned long)value, kValue, 0};
            syscall(SYS_getxattrat, dir, names[i], 0, "user.DOSATTRIB", &args, sizeof args);
        }
    }
}

static int byRing(struct io_uring* ring, int dir, int withXattr) {
    static char values[kBatch][kValue];
    for (int from = 0; from < files; from += kBatch) {
        const int n = files - from < kBatch ? files - from : kBatch;
        for (int k = 0; k < n; ++k) {
            io_uring_prep_statx(io_uring_get_sqe(ring), dir, names[from + k], 0, STATX_BASIC_STATS, &results[from + k]);
            if (withXattr)
                io_uring_prep_getxattr(io_uring_get_sqe(ring), "user.DOSATTRIB", values[k], paths[from + k], kValue);
        }
        if (io_uring_submit_and_wait(ring, (unsigned)(withXattr ? 2 * n : n)) < 0) return -1;
        struct io_uring_cqe* cqe;
        unsigned head, seen = 0;
        io_uring_for_each_cqe(ring, head, cqe) ++seen;
        io_uring_cq_advance(ring, seen);
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: xattr_calls FOLDER [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? atoi(argv[2]) : 100;
    DIR* d = opendir(argv[1]);
    if (!d) {
        perror(argv[1]);
        return 1;
    }
    for (struct dirent* e; (e = readdir(d)) && files < kMaxFiles;) {
        if (e->d_type != DT_REG) continue;
        snprintf(names[files], sizeof names[files], "%s", e->d_name);
        snprintf(paths[files], sizeof paths[files], "%s/%s", argv[1], e->d_name);
        ++files;
    }
    const int dir = dirfd(d);
    struct io_uring ring;
    const int ringError = io_uring_queue_init(2 * kBatch, &ring, 0);
    const char* what[] = {"fstatat", "fstatat + getxattrat", "io_uring statx", "io_uring statx + getxattr"};
    printf("%d files, %d rounds\n", files, rounds);
    for (int way = 0; way < 4; ++way) {
        if (way >= 2 && ringError < 0) {
            printf("%-28s io_uring unavailable: %s\n", what[way], strerror(-ringError));
            continue;
        }
        const double wall = seconds(CLOCK_MONOTONIC), cpu = cpuSeconds();
        for (int r = 0; r < rounds; ++r) {
            if (way < 2) byCalls(dir, way == 1);
            else if (byRing(&ring, dir, way == 3) < 0) return 1;
        }
        const double perFile = 1e6 / ((double)rounds * files);
        printf("%-28s %6.2f us wall %6.2f us cpu per file\n", what[way], (seconds(CLOCK_MONOTONIC) - wall) * perFile,
               (cpuSeconds() - cpu) * perFile);
    }
    if (ringError >= 0) io_uring_queue_exit(&ring);
    closedir(d);
    return 0;
}
