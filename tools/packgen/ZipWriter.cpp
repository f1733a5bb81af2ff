#include "ZipWriter.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

#include "Rng.h"
#include "ZipCrypto.h"

namespace korvid::packgen {

namespace {

constexpr std::uint16_t kVersion = 20;          // 2.0: deflate and traditional encryption
constexpr std::uint16_t kFlagEncrypted = 1;
constexpr std::uint16_t kMethodDeflate = 8;

class ByteSink {
public:
    void u16(std::uint32_t v) {
        out.push_back(std::uint8_t(v));
        out.push_back(std::uint8_t(v >> 8));
    }
    void u32(std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void bytes(const std::string& s) { out.insert(out.end(), s.begin(), s.end()); }
    void bytes(const std::vector<std::uint8_t>& b) { out.insert(out.end(), b.begin(), b.end()); }

    std::vector<std::uint8_t> out;
};

struct Written {
    std::uint32_t crc, compressedSize, size, offset;
};

// The fields a local header and its central directory record share, from
// "version needed" to the extra field's length.
void commonFields(ByteSink& zip, const Written& w, std::size_t nameLength) {
    zip.u16(kVersion);
    zip.u16(kFlagEncrypted);
    zip.u16(kMethodDeflate);
    zip.u16(ZipWriter::kDosTime);
    zip.u16(ZipWriter::kDosDate);
    zip.u32(w.crc);
    zip.u32(w.compressedSize);
    zip.u32(w.size);
    zip.u16(std::uint32_t(nameLength));
    zip.u16(0);  // extra
}

}  // namespace

std::vector<std::uint8_t> RawDeflate(const std::vector<std::uint8_t>& data) {
    z_stream zs{};
    if (deflateInit2(&zs, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    std::vector<std::uint8_t> out(deflateBound(&zs, uLong(data.size())) + 16);
    zs.next_in = const_cast<Bytef*>(data.data());
    zs.avail_in = uInt(data.size());
    zs.next_out = out.data();
    zs.avail_out = uInt(out.size());
    int rc = deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    if (rc != Z_STREAM_END) throw std::runtime_error("deflate did not finish");
    return out;
}

ZipWriter::ZipWriter(std::string password) : password_(std::move(password)) {}

void ZipWriter::add(std::string name, std::vector<std::uint8_t> data) {
    for (const Member& m : members_)
        if (m.name == name) throw std::runtime_error("duplicate pack member " + name);
    members_.push_back({std::move(name), std::move(data)});
}

std::vector<std::uint8_t> ZipWriter::finish() const {
    std::vector<const Member*> order;
    for (const Member& m : members_) order.push_back(&m);
    std::sort(order.begin(), order.end(), [](const Member* a, const Member* b) { return a->name < b->name; });

    ByteSink zip;
    std::vector<Written> written;
    for (const Member* m : order) {
        Written w{};
        w.crc = std::uint32_t(crc32(0, m->data.data(), uInt(m->data.size())));
        w.size = std::uint32_t(m->data.size());
        w.offset = std::uint32_t(zip.out.size());

        std::vector<std::uint8_t> body = ZipCryptoHeader(HashName(m->name), w.crc);
        std::vector<std::uint8_t> packed = RawDeflate(m->data);
        body.insert(body.end(), packed.begin(), packed.end());
        ZipCrypto(password_).encrypt(body);
        w.compressedSize = std::uint32_t(body.size());

        zip.u32(0x04034B50);
        commonFields(zip, w, m->name.size());
        zip.bytes(m->name);
        zip.bytes(body);
        written.push_back(w);
    }

    std::uint32_t directoryStart = std::uint32_t(zip.out.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Written& w = written[i];
        zip.u32(0x02014B50);
        zip.u16(kVersion);  // made by: MS-DOS host, version 2.0
        commonFields(zip, w, order[i]->name.size());
        zip.u16(0);  // comment
        zip.u16(0);  // disk
        zip.u16(0);  // internal attributes
        zip.u32(0);  // external attributes
        zip.u32(w.offset);
        zip.bytes(order[i]->name);
    }
    std::uint32_t directorySize = std::uint32_t(zip.out.size()) - directoryStart;

    zip.u32(0x06054B50);
    zip.u16(0);
    zip.u16(0);
    zip.u16(std::uint32_t(order.size()));
    zip.u16(std::uint32_t(order.size()));
    zip.u32(directorySize);
    zip.u32(directoryStart);
    zip.u16(0);
    return zip.out;
}

}  // namespace korvid::packgen
