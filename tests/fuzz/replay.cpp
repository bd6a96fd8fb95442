// Runs a fuzz target's checks once on every file of the folder named on the
// command line: the corpus as a plain test, where libFuzzer is not built.

#include <QDir>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

int main(int argc, char *argv[])
{
    const QFileInfoList inputs = QDir(QString::fromLocal8Bit(argc > 1 ? argv[1] : ""))
                                     .entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &path : inputs) {
        QFile file(path.filePath());
        if (!file.open(QIODevice::ReadOnly))
            return std::fprintf(stderr, "%s: cannot be read\n", qPrintable(file.fileName())), 1;
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "%s\n", qPrintable(file.fileName()));
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                               size_t(bytes.size()));
    }
    std::printf("%lld inputs replayed\n", qlonglong(inputs.size()));
    return inputs.isEmpty() ? 1 : 0;
}
