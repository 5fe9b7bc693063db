// SPDX-License-Identifier: AGPL-3.0-or-later
// The file edges: bounded reads of regular files only, replacing through a
// locked private temporary, links followed, the Spanish texts of errors.
#include "app/ArchivoSeguro.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <mutex>
#include <thread>

#include "app/settings/Temporal.h"

namespace varnolt {
namespace {

using prueba::CarpetaTemporal;
using prueba::Escribir;
using prueba::Leer;
using prueba::Listado;

TEST(TextoErrorSistema, LosErroresComunesTienenTextoEnEspanol) {
    const struct {
        int numero;
        const char* texto;
    } casos[] = {
        {ENOENT, "no existe el archivo o la carpeta"},
        {EACCES, "permiso denegado"},
        {EISDIR, "es una carpeta"},
        {ENOSPC, "no queda espacio en el disco"},
        {EROFS, "el sistema de archivos es de solo lectura"},
        {ELOOP, "demasiados enlaces simbólicos seguidos"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(TextoErrorSistema(c.numero), c.texto) << c.numero;
    }
    // One without a text of its own still says which it is.
    EXPECT_EQ(TextoErrorSistema(EPROTO).rfind("error del sistema " + std::to_string(EPROTO), 0),
              0u);
    EXPECT_EQ(FalloArchivo::DelSistema(ENOENT).Texto("x"), "no existe el archivo o la carpeta");
}

TEST(LeerArchivoEntero, LeeHastaElLimiteYRechazaLoQueLoPasa) {
    CarpetaTemporal dir;
    Escribir(dir / "a", std::string(100, 'x'));
    std::string bytes = "antes";
    EXPECT_FALSE(LeerArchivoEntero(dir / "a", bytes, 100));
    EXPECT_EQ(bytes, "antes" + std::string(100, 'x'));

    bytes = "antes";
    const FalloArchivo f = LeerArchivoEntero(dir / "a", bytes, 99);
    EXPECT_EQ(f.causa, FalloArchivo::Causa::Grande);
    EXPECT_EQ(bytes, "antes");
    EXPECT_EQ(f.Texto("a"), "\"a\" es demasiado grande (más de 99 bytes)");
    EXPECT_EQ(FalloArchivo({FalloArchivo::Causa::Grande, EFBIG, 16u << 20}).Texto("b"),
              "\"b\" es demasiado grande (más de 16 MB)");
}

TEST(LeerHastaElFinal, UnArchivoQueCreceAlLeerSeCortaEnElLimite) {
    // A pipe stands for a file that grows without end (a device like
    // /dev/zero passes no other check once opened): the bound stops it.
    int tubo[2];
    ASSERT_EQ(::pipe(tubo), 0);
    // The writer ends on EPIPE once the reading end is closed.
    const auto anterior = std::signal(SIGPIPE, SIG_IGN);
    std::thread escritor([&] {
        const std::string bloque(4096, 'z');
        while (::write(tubo[1], bloque.data(), bloque.size()) > 0) {
        }
    });
    std::string bytes;
    const FalloArchivo f = LeerHastaElFinal(tubo[0], bytes, 1 << 20);
    ::close(tubo[0]);
    escritor.join();
    ::close(tubo[1]);
    std::signal(SIGPIPE, anterior);
    EXPECT_EQ(f.causa, FalloArchivo::Causa::Grande);
    EXPECT_TRUE(bytes.empty());
}

TEST(AbrirParaLeer, UnFifoSeRechazaSinBloquear) {
    CarpetaTemporal dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    ASSERT_EQ(::symlink((dir / "fifo").c_str(), (dir / "enlace").c_str()), 0);
    for (const char* nombre : {"fifo", "enlace"}) {
        std::string bytes;
        const FalloArchivo f = LeerArchivoEntero(dir / nombre, bytes, 1000);
        EXPECT_EQ(f.causa, FalloArchivo::Causa::NoNormal) << nombre;
    }
}

TEST(ReemplazarArchivo, SigueLosEnlacesTambienAUnArchivoQueAunNoExiste) {
    CarpetaTemporal dir;
    std::filesystem::create_directory(dir / "otra");
    const struct {
        const char* enlace;
        const char* objetivo;  // relative to the link's folder
        const char* archivo;   // the file that must get the bytes
    } casos[] = {
        {"existe.ini", "otra/real.ini", "otra/real.ini"},
        {"colgante.ini", "otra/nuevo.ini", "otra/nuevo.ini"},
        {"cadena.ini", "colgante2.ini", "otra/final.ini"},
    };
    Escribir(dir / "otra/real.ini", "viejo");
    ASSERT_EQ(::symlink("otra/final.ini", (dir / "colgante2.ini").c_str()), 0);
    for (const auto& c : casos) {
        ASSERT_EQ(::symlink(c.objetivo, (dir / c.enlace).c_str()), 0);
        ASSERT_FALSE(ReemplazarArchivo(dir / c.enlace, "nuevo")) << c.enlace;
        EXPECT_TRUE(std::filesystem::is_symlink(dir / c.enlace)) << c.enlace;
        EXPECT_EQ(Leer(dir / c.archivo), "nuevo") << c.enlace;
    }
    // A loop of links is refused, nothing written.
    ASSERT_EQ(::symlink("b", (dir / "a").c_str()), 0);
    ASSERT_EQ(::symlink("a", (dir / "b").c_str()), 0);
    EXPECT_EQ(ReemplazarArchivo(dir / "a", "x").numero, ELOOP);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "a"));
}

TEST(ReemplazarArchivo, UnEnlaceAUnFifoNoSeReemplaza) {
    CarpetaTemporal dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("fifo", (dir / "v.ini").c_str()), 0);
    const FalloArchivo f = ReemplazarArchivo(dir / "v.ini", "x");
    EXPECT_EQ(f.causa, FalloArchivo::Causa::NoNormal);
    struct stat st {};
    ASSERT_EQ(::stat((dir / "fifo").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(Listado(dir.Ruta()), "fifo\nv.ini\n");
}

// A temporary file "as if" left by a write that began before this run.
void Envejecer(int fd) {
    const timespec hace[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::futimens(fd, hace), 0);
}

TEST(ReemplazarArchivo, LaLimpiezaBorraLosTemporalesAbandonadosYNoLosVivos) {
    CarpetaTemporal dir;
    const std::string abandonado = dir / ".v.ini.Abc123";
    const std::string vivo = dir / ".v.ini.Xyz789";
    Escribir(abandonado, "a");
    Escribir(vivo, "b");
    for (const std::string& t : {abandonado, vivo}) {
        const int fd = ::open(t.c_str(), O_RDONLY);
        Envejecer(fd);
        ::close(fd);
    }
    // Another writer holds the lock of its own temporary.
    const int bloqueo = ::open(vivo.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(bloqueo, LOCK_EX), 0);
    ASSERT_FALSE(ReemplazarArchivo(dir / "v.ini", "nuevo"));
    EXPECT_EQ(Listado(dir.Ruta()), ".v.ini.Xyz789\nv.ini\n");
    ::close(bloqueo);
    ASSERT_FALSE(ReemplazarArchivo(dir / "v.ini", "otro"));
    EXPECT_EQ(Listado(dir.Ruta()), "v.ini\n");
}

// Two writers of one target at once: the first is still writing (a slow
// disk) when the second finishes and cleans up; the first must still land.
TEST(ReemplazarArchivo, DosEscritoresALaVezTerminanAmbos) {
    CarpetaTemporal dir;
    const std::string destino = dir / "v.ini";
    std::mutex m;
    std::condition_variable cv;
    bool escribiendo = false;
    bool seguir = false;
    FalloArchivo primero;
    std::thread lento([&] {
        primero = ReemplazarArchivoCon(destino, [&](int fd) {
            if (!EscribirTodo(fd, "lento")) {
                return errno;
            }
            // Its temporary looks as old as a write of an earlier run.
            Envejecer(fd);
            std::unique_lock l(m);
            escribiendo = true;
            cv.notify_all();
            cv.wait(l, [&] { return seguir; });
            return 0;
        });
    });
    {
        std::unique_lock l(m);
        cv.wait(l, [&] { return escribiendo; });
    }
    EXPECT_FALSE(ReemplazarArchivo(destino, "rapido"));
    EXPECT_EQ(Leer(destino), "rapido");
    {
        std::lock_guard l(m);
        seguir = true;
    }
    cv.notify_all();
    lento.join();
    EXPECT_FALSE(primero) << primero.Texto(destino);
    EXPECT_EQ(Leer(destino), "lento");
    EXPECT_EQ(Listado(dir.Ruta()), "v.ini\n");
}

}  // namespace
}  // namespace varnolt
