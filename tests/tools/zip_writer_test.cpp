// The pack's ZIP writer and its PKWARE cipher, checked against libzip (the
// reader the game uses) rather than against themselves.
#include <gtest/gtest.h>
#include <zip.h>
#include <zlib.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "../engine/TempDir.h"

// packgen is a tool, not part of the game library: its sources are compiled
// into the tests directly.
#include "ZipCrypto.h"
#include "ZipWriter.h"

namespace korvid {
namespace {

using packgen::ZipCrypto;
using packgen::ZipWriter;
using testing::TempDir;

std::vector<std::uint8_t> Noise(std::size_t n, std::uint32_t seed) {
    std::vector<std::uint8_t> v(n);
    for (auto& b : v) {
        seed = seed * 1664525u + 1013904223u;
        b = std::uint8_t(seed >> 24);
    }
    return v;
}

std::vector<std::uint8_t> Text(const std::string& s) { return {s.begin(), s.end()}; }

std::string WriteArchive(const TempDir& dir, const std::vector<std::uint8_t>& bytes) {
    std::string path = dir.file("pack.zip");
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
}

// Reads one member through libzip; false when libzip refuses it.
bool ReadMember(zip_t* archive, const std::string& name, const char* password, std::vector<std::uint8_t>& out) {
    zip_int64_t index = zip_name_locate(archive, name.c_str(), ZIP_FL_ENC_RAW);
    if (index < 0) return false;
    zip_stat_t st;
    zip_stat_index(archive, zip_uint64_t(index), 0, &st);
    zip_file_t* file = zip_fopen_index_encrypted(archive, zip_uint64_t(index), 0, password);
    if (!file) return false;
    out.assign(std::size_t(st.size), 0);
    zip_int64_t got = zip_fread(file, out.data(), st.size);
    zip_fclose(file);
    return got == zip_int64_t(st.size);
}

TEST(ZipWriterTest, LibzipReadsEveryMemberBackWithThePassword) {
    std::map<std::string, std::vector<std::uint8_t>> members = {
        {"Graphics/logo.png", Noise(5000, 1)},
        {"SE/se_tan00.wav", std::vector<std::uint8_t>(20000, 0x41)},  // compresses well
        {"Music/empty.ogg", {}},
        {"Graphics/font0.fnt", Text("[HGEFONT]\nBitmap=font0.png\n")},
    };
    ZipWriter writer("qorvantelmisbe");
    for (const auto& [name, data] : members) writer.add(name, data);
    TempDir dir;
    std::string path = WriteArchive(dir, writer.finish());

    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    ASSERT_NE(archive, nullptr) << "libzip error " << error;
    EXPECT_EQ(zip_get_num_entries(archive, 0), zip_int64_t(members.size()));
    for (const auto& [name, data] : members) {
        zip_stat_t st;
        ASSERT_EQ(zip_stat(archive, name.c_str(), 0, &st), 0) << name;
        EXPECT_EQ(st.encryption_method, ZIP_EM_TRAD_PKWARE) << name;
        EXPECT_EQ(st.comp_method, ZIP_CM_DEFLATE) << name;
        std::vector<std::uint8_t> back;
        ASSERT_TRUE(ReadMember(archive, name, "qorvantelmisbe", back)) << name;
        EXPECT_EQ(back, data) << name;
    }
    zip_discard(archive);
}

TEST(ZipWriterTest, AWrongPasswordNeverYieldsTheContents) {
    ZipWriter writer("qorvantelmisbe");
    std::vector<std::uint8_t> secret = Noise(4000, 7);
    writer.add("a.bin", secret);
    TempDir dir;
    std::string path = WriteArchive(dir, writer.finish());
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, nullptr);
    ASSERT_NE(archive, nullptr);
    // About one password in 256 passes the header check; the data must still not come out.
    for (const char* wrong : {"qorvantelmisb", "QORVANTELMISBE", "letmein", "qorvantelmisbex"}) {
        std::vector<std::uint8_t> back;
        bool read = ReadMember(archive, "a.bin", wrong, back);
        EXPECT_FALSE(read && back == secret) << wrong;
    }
    zip_discard(archive);
}

TEST(ZipWriterTest, BytesDependOnlyOnTheMembersNotOnTheOrderAdded) {
    ZipWriter first("pw"), second("pw");
    first.add("b/two", Noise(300, 2));
    first.add("a/one", Noise(200, 1));
    second.add("a/one", Noise(200, 1));
    second.add("b/two", Noise(300, 2));
    std::vector<std::uint8_t> a = first.finish(), b = second.finish();
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, first.finish()) << "finishing twice gives the same archive";

    // The first local header is "a/one", stamped with the fixed DOS time and date.
    ASSERT_GT(a.size(), 40u);
    EXPECT_EQ(a[0], 0x50);
    EXPECT_EQ(a[1], 0x4B);
    EXPECT_EQ(a[10] | (a[11] << 8), ZipWriter::kDosTime);
    EXPECT_EQ(a[12] | (a[13] << 8), ZipWriter::kDosDate);
    EXPECT_EQ(std::string(a.begin() + 30, a.begin() + 35), "a/one");
}

TEST(ZipWriterTest, RefusesTheSameNameTwice) {
    ZipWriter writer("pw");
    writer.add("x", Text("1"));
    EXPECT_THROW(writer.add("x", Text("2")), std::runtime_error);
}

TEST(ZipCryptoTest, DecryptionUndoesEncryptionOnlyWithTheSamePassword) {
    std::vector<std::uint8_t> plain = Noise(1000, 3), data = plain;
    ZipCrypto("secret").encrypt(data);
    EXPECT_NE(data, plain);
    std::vector<std::uint8_t> wrong = data;
    ZipCrypto("secreT").decrypt(wrong);
    EXPECT_NE(wrong, plain);
    ZipCrypto("secret").decrypt(data);
    EXPECT_EQ(data, plain);
}

TEST(ZipCryptoTest, HeaderIsSeededAndEndsWithTheCrcHighByte) {
    std::uint32_t crc = 0xA1B2C3D4u;
    std::vector<std::uint8_t> h1 = packgen::ZipCryptoHeader(42, crc), h2 = packgen::ZipCryptoHeader(42, crc);
    std::vector<std::uint8_t> h3 = packgen::ZipCryptoHeader(43, crc);
    ASSERT_EQ(h1.size(), 12u);
    EXPECT_EQ(h1[11], 0xA1);
    EXPECT_EQ(h1, h2);
    EXPECT_NE(h1, h3);
}

TEST(ZipWriterTest, RawDeflateInflatesBackWithoutAZlibHeader) {
    std::vector<std::uint8_t> data = Noise(3000, 9);
    data.insert(data.end(), 5000, 0x20);
    std::vector<std::uint8_t> packed = packgen::RawDeflate(data);
    EXPECT_LT(packed.size(), data.size());
    z_stream zs{};
    ASSERT_EQ(inflateInit2(&zs, -15), Z_OK);
    std::vector<std::uint8_t> out(data.size());
    zs.next_in = packed.data();
    zs.avail_in = uInt(packed.size());
    zs.next_out = out.data();
    zs.avail_out = uInt(out.size());
    EXPECT_EQ(inflate(&zs, Z_FINISH), Z_STREAM_END);
    inflateEnd(&zs);
    EXPECT_EQ(out, data);
}

}  // namespace
}  // namespace korvid
