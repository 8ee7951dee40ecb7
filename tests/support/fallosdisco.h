#pragma once
// Disk faults for tests, made real without mounting anything.
#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

// While it lives no file of this process can grow beyond limite bytes: a write past it fails
// (EFBIG) as it would on a full disk.
class DiscoLleno {
public:
    explicit DiscoLleno(rlim_t limite = 4);
    ~DiscoLleno();
    DiscoLleno(const DiscoLleno &) = delete;
    DiscoLleno &operator=(const DiscoLleno &) = delete;

private:
    rlimit anterior_{};
    void (*senal_)(int) = nullptr;
};

// A file whose writing fails once it is open: ruta on a disk that fills up after 4 KiB, or a device
// that refuses every write.
struct FalloEscritura {
    std::string nombre;
    std::string ruta;
    rlim_t limite = 0; // 0: no limit
    // The fault, in force while the returned object lives.
    std::unique_ptr<DiscoLleno> Provoca() const;
};
std::vector<FalloEscritura> FallosEscritura(const std::string &ruta);

// While it lives the file (or directory) cannot be read: mode 000 and, when running as root, the
// capabilities that bypass file modes are dropped from this thread.
class SinLectura {
public:
    explicit SinLectura(std::string ruta);
    ~SinLectura();
    SinLectura(const SinLectura &) = delete;
    SinLectura &operator=(const SinLectura &) = delete;

private:
    std::string ruta_;
    unsigned modo_ = 0;
    bool capacidades_ = false;
    unsigned efectivas_[2] = {};
};
