#include "core/base/TFileStream.h"
#include "core/base/Exceptions.h"
#include "core/base/FileUtils.h"
#include "core/base/TMemoryStream.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quarno;
using quarno::test::TempDir;

static size_t EntriesIn(const TempDir& dir) {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Folder()))
        ++count;
    return count;
}

TEST(TSafeFileStream, TargetChangesOnlyOnCommit) {
    TempDir dir;
    dir.Write("a.bas", "old");
    {
        TSafeFileStream stream(dir.File("a.bas"));
        stream.WriteBuffer("new text", 8);
        EXPECT_EQ(dir.Read("a.bas"), "old");
    }
    EXPECT_EQ(dir.Read("a.bas"), "old");
    EXPECT_EQ(EntriesIn(dir), 1u) << "the temporary file is removed";
    TSafeFileStream stream(dir.File("a.bas"));
    stream.WriteBuffer("new text", 8);
    stream.Commit();
    EXPECT_EQ(dir.Read("a.bas"), "new text");
    EXPECT_EQ(EntriesIn(dir), 1u);
}

TEST(TSafeFileStream, KeepsPermissionsAndWritesThroughLinks) {
    TempDir dir;
    dir.Write("real.bas", "old");
    ::chmod(dir.File("real.bas").c_str(), 0640);
    std::filesystem::create_symlink(dir.File("real.bas"), dir.File("link.bas"));
    WriteFileSafely(dir.File("link.bas"), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.bas")));
    EXPECT_EQ(dir.Read("real.bas"), "new");
    struct stat info {};
    ::stat(dir.File("real.bas").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(TSafeFileStream, UnwritablePlacesRaiseCreateErrors) {
    TempDir dir;
    EXPECT_THROW(WriteFileSafely(dir.File("no/such/folder.txt"), "x"), EFCreateError);
    EXPECT_THROW(WriteFileSafely(dir.Folder(), "x"), EFCreateError);
}

TEST(TFileStream, MissingFileRaisesOpenErrorNamingIt) {
    TempDir dir;
    try {
        ReadWholeFile(dir.File("none.bas"));
        FAIL() << "no exception";
    } catch (const EFOpenError& error) {
        EXPECT_NE(std::string(error.what()).find("none.bas"), std::string::npos);
    }
}

// A pipe without a writer would block an open for reading; neither reading
// nor writing may wait on it or replace it.
TEST(TFileStream, PipesAndFoldersAreRefusedWithoutWaiting) {
    TempDir dir;
    std::string fifo = dir.File("pipe.bas");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink(fifo, dir.File("link.bas"));
    for (const std::string& path : {fifo, dir.File("link.bas")}) {
        try {
            ReadWholeFile(path);
            ADD_FAILURE() << path;
        } catch (const EFOpenError& error) {
            EXPECT_EQ(error.what(), "Cannot open file \"" + path + "\". Not a regular file");
        }
        try {
            WriteFileSafely(path, "x");
            ADD_FAILURE() << path;
        } catch (const EFCreateError& error) {
            EXPECT_EQ(error.what(), "Cannot create file \"" + path + "\". Not a regular file");
        }
    }
    EXPECT_THROW(ReadWholeFile(dir.Folder()), EFOpenError);
    EXPECT_EQ(PathKind(fifo), TPathKind::Other);
    EXPECT_EQ(PathKind(dir.File("link.bas")), TPathKind::Other);
    EXPECT_EQ(PathKind(dir.File("none")), TPathKind::Missing);
    EXPECT_EQ(EntriesIn(dir), 2u) << "nothing was created beside them";
    std::string reason;
    EXPECT_EQ(OpenRegularFile(fifo, reason), nullptr);
    EXPECT_EQ(reason, kNotRegularFile);
}

TEST(StreamPrimitives, LittleEndianRoundTripAndShortReads) {
    TMemoryStream stream;
    WriteInt32(stream, -2);
    WriteUInt16(stream, 0x1234);
    WriteLongString(stream, "long");
    WriteShortString(stream, std::string(300, 'x'));
    EXPECT_EQ(stream.Bytes().substr(0, 6), std::string("\xFE\xFF\xFF\xFF\x34\x12", 6));
    stream.SetPosition(0);
    EXPECT_EQ(ReadInt32(stream), -2);
    EXPECT_EQ(ReadUInt16(stream), 0x1234);
    EXPECT_EQ(ReadLongString(stream), "long");
    EXPECT_EQ(ReadShortString(stream), std::string(255, 'x'));
    EXPECT_THROW(ReadByte(stream), EReadError);
    TMemoryStream lying(std::string("\xFF\xFF\xFF\x7F", 4)); // length far beyond the data
    EXPECT_THROW(ReadLongString(lying), EReadError);
}
