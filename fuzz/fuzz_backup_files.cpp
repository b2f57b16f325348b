// The backup medium's own files read from arbitrary bytes: DiskInfo.bk1 and
// Manifest.bk1. Reading never crashes; a manifest that reads is written back
// to the same entries. (Names outside the backup set, "../x" among them,
// are the restore's to refuse: it takes only the set's own names.)
#include "backup/diskinfo.h"
#include "backup/manifest.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const DiskInfo info = DiskInfo::fromBytes(bytes);
    const QByteArray infoBytes = info.toBytes();
    check(infoBytes.size() == DiskInfo::kRecordLength * DiskInfo::kRecordCount);
    check(DiskInfo::fromBytes(infoBytes).isBackupDisk() == info.isBackupDisk());

    if (const std::optional<Manifest> manifest = Manifest::fromBytes(bytes)) {
        for (const Manifest::Entry &entry : manifest->entries()) {
            check(!entry.name.isEmpty());
            check(entry.size >= 0 && entry.sha256.size() == 32);
        }
        const std::optional<Manifest> again = Manifest::fromBytes(manifest->toBytes());
        check(again && again->entries().size() == manifest->entries().size());
        for (qsizetype i = 0; i < manifest->entries().size(); ++i) {
            check(again->entries()[i].name == manifest->entries()[i].name);
            check(again->entries()[i].size == manifest->entries()[i].size);
            check(again->entries()[i].sha256 == manifest->entries()[i].sha256);
        }
    }
    return 0;
}
