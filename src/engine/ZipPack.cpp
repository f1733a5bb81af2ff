#include "engine/ZipPack.h"

#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <limits>

#include "engine/ResourceStore.h"

namespace korvid {

void ZipPack::ZipCloser::operator()(zip* archive) const {
    if (archive) zip_discard(archive);  // read-only: nothing to write back
}

std::unique_ptr<ZipPack> ZipPack::open(const std::string& path, const std::string& password) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (!archive) return nullptr;
    std::unique_ptr<ZipPack> pack(new ZipPack());
    pack->archive_.reset(archive);
    pack->password_ = password;

    zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* raw = zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        if (!raw) continue;
        std::string key = ResourceStore::normalise(raw);
        if (key.empty() || key.back() == '/') continue;  // directory entries
        // Two members differing only in case: the first one in the archive wins.
        pack->index_.emplace(std::move(key), static_cast<std::uint64_t>(i));
    }
    return pack;
}

ZipPack::~ZipPack() = default;

bool ZipPack::contains(const std::string& key) const {
    return index_.find(key) != index_.end();
}

namespace {

constexpr zip_uint64_t kMaxMemberBytes = 256u << 20;

}  // namespace

bool ZipPack::read(const std::string& key, std::vector<std::uint8_t>& out) const {
    auto it = index_.find(key);
    if (it == index_.end()) return false;
    zip_t* archive = archive_.get();

    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive, it->second, 0, &st) != 0) return false;
    if (!(st.valid & ZIP_STAT_SIZE) || !(st.valid & ZIP_STAT_CRC)) return false;
    // The recorded size is input: a damaged or hostile archive can claim
    // gigabytes. No member of a pack comes near the limit, and deflate cannot
    // expand data more than about 1032 times.
    if (st.size > kMaxMemberBytes) return false;
    if ((st.valid & ZIP_STAT_COMP_SIZE) && st.size > st.comp_size * 1100 + 4096) return false;

    const char* pw = password_.empty() ? nullptr : password_.c_str();
    zip_file_t* file = zip_fopen_index_encrypted(archive, it->second, 0, pw);
    if (!file) return false;

    std::vector<std::uint8_t> data(static_cast<std::size_t>(st.size));
    zip_uint64_t got = 0;
    bool ok = true;
    while (got < st.size) {
        zip_int64_t n = zip_fread(file, data.data() + got, st.size - got);
        if (n <= 0) {
            ok = false;
            break;
        }
        got += static_cast<zip_uint64_t>(n);
    }
    // One more read reaches the end of the member, where libzip checks the CRC
    // itself; a member longer than its recorded size is damaged too.
    std::uint8_t extra = 0;
    if (ok && zip_fread(file, &extra, 1) != 0) ok = false;
    zip_fclose(file);
    if (!ok) return false;

    // Traditional encryption lets about one wrong password in 256 through its
    // header check, and stored members are not inflated, so compare the CRC
    // here as well rather than trust the bytes.
    uLong crc = crc32(0L, Z_NULL, 0);
    std::size_t done = 0;
    while (done < data.size()) {
        uInt chunk = static_cast<uInt>(std::min<std::size_t>(data.size() - done, 1u << 30));
        crc = crc32(crc, data.data() + done, chunk);
        done += chunk;
    }
    if (static_cast<std::uint32_t>(crc) != st.crc) return false;
    out = std::move(data);
    return true;
}

}  // namespace korvid
