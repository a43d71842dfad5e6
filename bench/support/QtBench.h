#pragma once

// What the benchmarks that need Qt share: their main, and a folder of phone-sized photos.
// Header-only, because the bench support library itself needs no Qt.

#include <QCoreApplication>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace ardenvo::bench {

// Runs the registered benchmarks inside an application of type App, offscreen unless the
// caller's environment chose a platform.
template <typename App> int runQtBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

inline std::string photoName(int i) {
    return "photo " + std::to_string(i + 1) + ".jpg";
}

// `count` names ("photo 1.jpg", ...) of one 4000 x 3000 JPEG with detail everywhere, so it is as
// heavy to decode as a real photo; hard links, so they cost one file on the disk.
class PhotoFolder {
public:
    explicit PhotoFolder(int count) {
        QImage photo(4000, 3000, QImage::Format_RGB32);
        unsigned seed = 7;
        for (int y = 0; y < photo.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x) {
                seed = seed * 1103515245u + 12345u;
                line[x] = qRgb((x / 7 + (seed >> 24) % 32) % 256, (y / 5) % 256, (x ^ y) % 256);
            }
        }
        const std::string first = path() + "/" + photoName(0);
        photo.save(QString::fromStdString(first), "JPEG", 90);
        for (int i = 1; i < count; ++i)
            std::filesystem::create_hard_link(first, path() + "/" + photoName(i));
    }
    std::string path() const { return m_dir.path().toStdString(); }

private:
    QTemporaryDir m_dir;
};

} // namespace ardenvo::bench
