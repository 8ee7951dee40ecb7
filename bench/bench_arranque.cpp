// Start-up to the login dialog, each run a new process: the program `velkatron` (in a working
// directory that holds the users file and every directory, so nothing is asked first) until its
// login dialog is painted, beside the bare Qt program `dialogo_qt` until its one QDialog is
// painted. Then `velkatron` at rest after logging in as "admin": wake-ups per second of all its
// threads (context switches from /proc). Both programs run unchanged; the library `vigia_dialogo`,
// preloaded, tells when the dialog is painted. The display is offscreen unless QT_QPA_PLATFORM
// names another.
#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

namespace fs = std::filesystem;
using Reloj = std::chrono::steady_clock;

const fs::path &directorioBinarios() {
    static const fs::path d = fs::read_symlink("/proc/self/exe").parent_path();
    return d;
}

// A working directory where the program starts straight into its login dialog.
const fs::path &directorioTrabajo() {
    static const fs::path dir = [] {
        char plantilla[] = "/tmp/bench_arranque_XXXXXX";
        const fs::path d = mkdtemp(plantilla);
        for (const char *sub : {"datos", "fichajes", "huellas", "produccion", "archivos/presencia",
                                "archivos/produccion", "backup"})
            fs::create_directories(d / sub);
        fs::copy_file(fs::path(VK_FUENTES) / "instalacion" / "rondal.usr", d / "datos" / "rondal.usr");
        return d;
    }();
    return dir;
}

struct Hijo {
    pid_t pid = -1;
    int aviso = -1; // the preloaded watcher writes one byte here
};

Hijo lanza(const char *programa, const char *vigia) {
    int tubo[2];
    if (pipe(tubo) != 0)
        std::abort();
    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_adddup2(&acciones, tubo[1], 3);
    posix_spawn_file_actions_addopen(&acciones, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&acciones, directorioTrabajo().c_str());
    const std::string exe = directorioBinarios() / programa;
    std::vector<std::string> entorno = {"LD_PRELOAD=" +
                                            (directorioBinarios() / "libvigia_dialogo.so").string(),
                                        std::string("VK_VIGIA=") + vigia};
    for (char **e = environ; *e; ++e)
        entorno.emplace_back(*e);
    std::vector<char *> env;
    for (std::string &e : entorno)
        env.push_back(e.data());
    env.push_back(nullptr);
    char *args[] = {const_cast<char *>(exe.c_str()), nullptr};
    Hijo h;
    if (posix_spawn(&h.pid, exe.c_str(), &acciones, nullptr, args, env.data()) != 0)
        std::abort();
    posix_spawn_file_actions_destroy(&acciones);
    close(tubo[1]);
    h.aviso = tubo[0];
    return h;
}

// Waits for the watcher's byte; false after 20 s or when the program ended without it.
bool esperaAviso(const Hijo &h) {
    pollfd p{h.aviso, POLLIN, 0};
    char c;
    return poll(&p, 1, 20000) == 1 && read(h.aviso, &c, 1) == 1;
}

void termina(Hijo &h) {
    kill(h.pid, SIGKILL);
    waitpid(h.pid, nullptr, 0);
    close(h.aviso);
}

void Arranque(benchmark::State &estado, const char *programa, const char *vigia) {
    for (auto _ : estado) {
        const auto t0 = Reloj::now();
        Hijo h = lanza(programa, vigia);
        const bool visto = esperaAviso(h);
        const auto t1 = Reloj::now();
        termina(h);
        if (!visto) {
            estado.SkipWithError("no dialog painted");
            return;
        }
        estado.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
}
BENCHMARK_CAPTURE(Arranque, dialogo_qt, "dialogo_qt", "dialogo")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(Arranque, velkatron_hasta_login, "velkatron", "login")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

// Context switches of every thread of a process.
long long cambiosDeContexto(pid_t pid) {
    long long total = 0;
    for (const auto &t : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task")) {
        std::ifstream f(t.path() / "status");
        std::string linea;
        while (std::getline(f, linea))
            if (linea.find("ctxt_switches:") != std::string::npos)
                total += std::atoll(linea.c_str() + linea.find(':') + 1);
    }
    return total;
}

void ReposoTrasLogin(benchmark::State &estado) {
    constexpr int kSegundos = 10;
    for (auto _ : estado) {
        Hijo h = lanza("velkatron", "reposo");
        if (!esperaAviso(h)) {
            termina(h);
            estado.SkipWithError("no login");
            return;
        }
        std::this_thread::sleep_for(std::chrono::seconds(1)); // what the login leaves settles
        const long long antes = cambiosDeContexto(h.pid);
        std::this_thread::sleep_for(std::chrono::seconds(kSegundos));
        const long long despues = cambiosDeContexto(h.pid);
        termina(h);
        estado.counters["despertares_por_segundo"] = static_cast<double>(despues - antes) / kSegundos;
    }
}
BENCHMARK(ReposoTrasLogin)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char *argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(directorioTrabajo());
    return 0;
}
