#include "support/fallosdisco.h"

#include <csignal>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

DiscoLleno::DiscoLleno(rlim_t limite) {
    senal_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &anterior_);
    rlimit r = anterior_;
    r.rlim_cur = limite;
    setrlimit(RLIMIT_FSIZE, &r);
}

DiscoLleno::~DiscoLleno() {
    setrlimit(RLIMIT_FSIZE, &anterior_);
    std::signal(SIGXFSZ, senal_);
}

std::unique_ptr<DiscoLleno> FalloEscritura::Provoca() const {
    return limite ? std::make_unique<DiscoLleno>(limite) : nullptr;
}

std::vector<FalloEscritura> FallosEscritura(const std::string &ruta) {
    return {{"disco lleno", ruta, 4096}, {"dispositivo lleno", "/dev/full"}};
}

namespace {
bool capacidades(__user_cap_data_struct (&d)[2], bool fijar) {
    __user_cap_header_struct h{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(fijar ? SYS_capset : SYS_capget, &h, d) == 0;
}
} // namespace

SinLectura::SinLectura(std::string ruta) : ruta_(std::move(ruta)) {
    struct stat st {};
    if (stat(ruta_.c_str(), &st) == 0)
        modo_ = st.st_mode & 07777;
    chmod(ruta_.c_str(), 0);
    __user_cap_data_struct d[2] = {};
    if (!capacidades(d, false))
        return;
    efectivas_[0] = d[0].effective;
    efectivas_[1] = d[1].effective;
    d[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    capacidades_ = capacidades(d, true);
}

SinLectura::~SinLectura() {
    __user_cap_data_struct d[2] = {};
    if (capacidades_ && capacidades(d, false)) {
        d[0].effective = efectivas_[0];
        d[1].effective = efectivas_[1];
        capacidades(d, true);
    }
    chmod(ruta_.c_str(), modo_);
}
