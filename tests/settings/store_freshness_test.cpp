// Outside a folder scope the very next read after anybody's write sees it:
// another store object, another process, with the WAL checkpointed, restarted
// or truncated in between. Each loop runs many write/read pairs, because a
// check that skips the file when it should not would fail only for some WAL
// states.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_process.h"
#include "support/temp_dir.h"

#include "settings/sqlite_handle.h"
#include "settings/store.h"

namespace quillory {
namespace {

// A plain SQLite connection beside the stores, for what Quillory never does
// itself: checkpoints.
class Checkpointer {
public:
    explicit Checkpointer(const std::string& path) {
        sqlite3* raw = nullptr;
        sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
        m_db.reset(raw);
        sqlite3_busy_timeout(raw, 3000);
    }

    // Runs the checkpoint; true when it completed (no reader or writer held it up).
    bool run(const char* mode) {
        const std::string sql = std::string("PRAGMA wal_checkpoint(") + mode + ")";
        SqliteStatement stmt = prepareStatement(m_db.get(), sql);
        return stmt && sqlite3_step(stmt.get()) == SQLITE_ROW && sqlite3_column_int(stmt.get(), 0) == 0;
    }

private:
    SqliteDb m_db;
};

// A store file, the store object under test and a connection for checkpoints.
struct Watched {
    test::TempDir dir;
    std::string path = dir / "settings.sqlite";
    SettingsStore reader{path};
    Checkpointer checkpointer{path};
};

enum class When { Never, BeforeWrite, AfterWrite };

struct CheckpointRow {
    const char* name;
    const char* mode;
    When when;
    bool ownWriteFirst;  // the reader writes another key just before the other's write
};

const CheckpointRow kCheckpointRows[] = {
    {"no checkpoint", "PASSIVE", When::Never, false},
    {"no checkpoint, own write first", "PASSIVE", When::Never, true},
    {"passive after the write", "PASSIVE", When::AfterWrite, false},
    {"full after the write", "FULL", When::AfterWrite, false},
    {"restart after the write", "RESTART", When::AfterWrite, false},
    {"truncate after the write", "TRUNCATE", When::AfterWrite, false},
    // The WAL starts over, so the next commit ends at the same frame as the
    // one the reader saw last; only the salts tell them apart.
    {"restart before the write", "RESTART", When::BeforeWrite, false},
    {"truncate before the write", "TRUNCATE", When::BeforeWrite, false},
    {"truncate before the write, own write first", "TRUNCATE", When::BeforeWrite, true},
};

constexpr int kRounds = 60;

TEST(SettingsStoreFreshness, AnotherObjectsWriteIsSeenByTheNextRead) {
    for (const CheckpointRow& row : kCheckpointRows) {
        Watched w;
        SettingsStore& reader = w.reader;
        SettingsStore writer(w.path);
        auto generation = reader.generation();
        for (int i = 0; i < kRounds; ++i) {
            const std::string value = "round " + std::to_string(i);
            if (row.ownWriteFirst) {
                ASSERT_TRUE(reader.write(keys::FolInclude, value));
            }
            if (row.when == When::BeforeWrite) {
                ASSERT_TRUE(w.checkpointer.run(row.mode)) << row.name;
            }
            ASSERT_TRUE(writer.write(keys::FileInclude, value));
            ASSERT_TRUE(writer.WriteSetting(kAppKey, "Custom", "Round", value));
            if (row.when == When::AfterWrite) {
                ASSERT_TRUE(w.checkpointer.run(row.mode)) << row.name;
            }

            // Whichever read comes first must find the write.
            const std::string label = std::string(row.name) + ", round " + std::to_string(i);
            switch (i % 3) {
                case 0: EXPECT_EQ(reader.read(keys::FileInclude), value) << label; break;
                case 1: EXPECT_EQ(reader.ReadSetting("tallyfold", "custom", "round"), value) << label; break;
                case 2: EXPECT_NE(reader.generation(), generation) << label; break;
            }
            EXPECT_EQ(reader.read(keys::FileInclude), value) << label;
            EXPECT_EQ(reader.ReadSetting("Tallyfold", "Filter", "FileInclude"), value) << label;
            EXPECT_EQ(reader.ReadSetting("Tallyfold", "Custom", "Round"), value) << label;
            if (row.ownWriteFirst) {
                EXPECT_EQ(reader.read(keys::FolInclude), value) << label;
            }
            EXPECT_NE(reader.generation(), generation) << label;
            generation = reader.generation();
        }
    }
}

TEST(SettingsStoreFreshness, GenerationAloneNoticesAnotherWriter) {
    Watched w;
    SettingsStore writer(w.path);
    const auto start = w.reader.generation();
    EXPECT_EQ(w.reader.generation(), start) << "nothing written";
    ASSERT_TRUE(writer.write(keys::FileExclude, "*.tmp"));
    EXPECT_NE(w.reader.generation(), start);
}

TEST(SettingsStoreFreshness, ReadsWithNothingWrittenChangeNothing) {
    Watched w;
    SettingsStore writer(w.path);
    ASSERT_TRUE(writer.write(keys::FileInclude, "*.c"));
    ASSERT_TRUE(w.checkpointer.run("TRUNCATE"));
    EXPECT_EQ(w.reader.read(keys::FileInclude), "*.c");
    const auto generation = w.reader.generation();
    for (int i = 0; i < 100; ++i) EXPECT_EQ(w.reader.read(keys::FileInclude), "*.c") << i;
    EXPECT_EQ(w.reader.generation(), generation);
}

struct ProcessRow {
    const char* name;
    const char* checkpoint;  // run before the process writes; null for none
    bool inScope;            // the read is the first in a folder scope opened after the write
};

const ProcessRow kProcessRows[] = {
    {"plain", nullptr, false},
    {"truncated before each write", "TRUNCATE", false},
    {"restarted before each write", "RESTART", false},
    {"first read of a new folder scope", "TRUNCATE", true},
};

constexpr int kProcessRounds = 12;

// quillory-list --set opens the store, writes and closes it again, so every
// round also has the other side's last connection going away.
TEST(SettingsStoreFreshness, AnotherProcessesWriteIsSeenByTheNextRead) {
    for (const ProcessRow& row : kProcessRows) {
        Watched w;
        SettingsStore& reader = w.reader;
        for (int i = 0; i < kProcessRounds; ++i) {
            const std::string value = "process " + std::to_string(i);
            const std::string label = std::string(row.name) + ", round " + std::to_string(i);
            if (row.checkpoint) {
                ASSERT_TRUE(w.checkpointer.run(row.checkpoint)) << label;
            }
            const test::ProcessResult set = test::runProcess(
                {QUILLORY_LIST_EXE, "--set", "Filter/FileInclude=" + value}, {"QUILLORY_SETTINGS=" + w.path});
            ASSERT_EQ(set.status, 0) << label << ": " << set.err;
            if (row.inScope) {
                SettingsStore::FolderScope folder(reader);
                EXPECT_EQ(reader.read(keys::FileInclude), value) << label;
            } else {
                EXPECT_EQ(reader.read(keys::FileInclude), value) << label;
            }
            EXPECT_EQ(reader.ReadSetting("Tallyfold", "Filter", "FileInclude"), value) << label;
        }
    }
}

// The other way round: what the store writes, a separate process reads.
TEST(SettingsStoreFreshness, AnotherProcessSeesOwnWrites) {
    test::TempDir dir;
    const std::string path = dir / "settings.sqlite";
    SettingsStore store(path);
    for (int i = 0; i < 4; ++i) {
        const std::string value = "mine " + std::to_string(i);
        ASSERT_TRUE(store.write(keys::FileInclude, value));
        const test::ProcessResult get = test::runProcess({QUILLORY_LIST_EXE, "--get", "Filter/FileInclude"},
                                                         {"QUILLORY_SETTINGS=" + path});
        ASSERT_EQ(get.status, 0) << get.err;
        EXPECT_EQ(get.out, value + "\n") << i;
    }
}

}  // namespace
}  // namespace quillory
