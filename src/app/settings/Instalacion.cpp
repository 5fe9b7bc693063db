// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/settings/Instalacion.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "app/ArchivoSeguro.h"
#include "app/settings/Carpetas.h"
#include "archetypes/Arquetipos.h"
#include "archetypes/ItemArq.h"

#ifndef VARNOLT_DATOS_DESDE_PROGRAMAS
#error "VARNOLT_DATOS_DESDE_PROGRAMAS: the data folder seen from the programs' folder"
#endif

namespace varnolt {

const std::string_view kDatosDesdePrograma = VARNOLT_DATOS_DESDE_PROGRAMAS "/";

namespace {

bool EsArchivo(const std::string& ruta) {
    std::error_code ec;
    return std::filesystem::is_regular_file(ruta, ec);
}

}  // namespace

std::string CarpetaDatosInstalados(std::string_view ejecutable,
                                   std::string_view datosDesdePrograma) {
    const std::string programa = CarpetaDeRuta(ejecutable);
    if (programa.empty() || datosDesdePrograma.empty()) {
        return {};
    }
    std::string datos = UnirRuta(programa, datosDesdePrograma);
    if (datos.back() != '/') {
        datos += '/';
    }
    // The folder as the installed tree holds it: with the sample files. A
    // folder of that name that happens to stand near a build folder is not
    // taken for an installation.
    if (!EsArchivo(datos + kArchivoArqInicial) && !EsArchivo(datos + kAgendaMuestra)) {
        return {};
    }
    std::error_code ec;
    const std::filesystem::path normal = std::filesystem::weakly_canonical(datos, ec);
    return ec ? datos : UnirRuta(normal.string(), "");
}

std::string PaginaDelPrograma(std::string_view ejecutable, std::string_view paginaFuente,
                              std::string_view datosDesdePrograma) {
    const std::string datos = CarpetaDatosInstalados(ejecutable, datosDesdePrograma);
    if (!datos.empty() && EsArchivo(datos + kPagina)) {
        return datos + kPagina;
    }
    return std::string(paginaFuente);
}

std::string ArchivoArqMuestra(std::string_view ejecutable, std::string_view datosDesdePrograma) {
    const std::string programa = CarpetaDeRuta(ejecutable);
    if (programa.empty()) {
        return {};
    }
    const std::string junto = UnirRuta(UnirRuta(programa, "arquetipos"), kArchivoArqInicial);
    if (EsArchivo(junto)) {
        return junto;
    }
    const std::string datos = CarpetaDatosInstalados(ejecutable, datosDesdePrograma);
    if (!datos.empty() && EsArchivo(datos + kArchivoArqInicial)) {
        return datos + kArchivoArqInicial;
    }
    return {};
}

std::string CarpetaConfiguracionVarnolt() {
    const std::string config = CarpetaConfiguracion();
    return config.empty() ? std::string() : UnirRuta(config, "Varnolt/");
}

bool CarpetaEscribible(const std::string& carpeta) {
    return !carpeta.empty() && ::access(carpeta.c_str(), W_OK | X_OK) == 0;
}

UbicacionIni UbicacionArchivoIni(std::string_view ejecutable, std::string_view carpetaConfiguracion,
                                 const SePuedeEscribir& sePuedeEscribir,
                                 std::string_view datosDesdePrograma) {
    std::string junto = CambiarExtension(ejecutable, ".ini");
    if (carpetaConfiguracion.empty()) {
        return {std::move(junto), UbicacionIni::SinCarpetaUsuario};
    }
    std::string delUsuario = UnirRuta(carpetaConfiguracion, "Varnolt.ini");
    if (!CarpetaDatosInstalados(ejecutable, datosDesdePrograma).empty()) {
        return {std::move(delUsuario), UbicacionIni::ProgramaInstalado};
    }
    if (sePuedeEscribir && sePuedeEscribir(CarpetaDeRuta(ejecutable))) {
        return {std::move(junto), UbicacionIni::JuntoAlPrograma};
    }
    return {std::move(delUsuario), UbicacionIni::CarpetaSinEscritura};
}

CopiaArqMuestra CopiarArqMuestra(const std::string& carpetaArq, const std::string& muestra) {
    CopiaArqMuestra r;
    if (carpetaArq.empty() || muestra.empty() || !EsArchivo(muestra)) {
        return r;
    }
    std::vector<std::string> hay;
    if (ListarArchivosArq(carpetaArq, hay)) {
        r.estado = CopiaArqMuestra::HabiaArchivos;
        return r;
    }
    namespace fs = std::filesystem;
    r.destino = UnirRuta(carpetaArq, NombreDeRuta(muestra));
    std::error_code ec;
    fs::create_directories(carpetaArq, ec);
    // The sample is a few hundred KB; whatever already stands at the
    // destination (a file, even a link) is the user's and stays.
    FalloArchivo fallo;
    std::string cual = r.destino;
    std::string bytes;
    if (ec) {
        fallo = FalloArchivo::DelSistema(ec.value());
    } else if ((fallo = LeerArchivoEntero(muestra, bytes, 64u << 20))) {
        cual = muestra;
    } else if (!fs::exists(fs::symlink_status(r.destino, ec))) {
        fallo = ReemplazarArchivo(r.destino, bytes);
    }
    if (fallo) {
        r.estado = CopiaArqMuestra::Fallo;
        r.error = fallo.Texto(cual);
        return r;
    }
    r.estado = CopiaArqMuestra::Copiada;
    return r;
}

CopiaArqMuestra CopiarArqMuestraDelPrograma() {
    if (CarpetaPersonal().empty()) {
        return {};
    }
    return CopiarArqMuestra(CarpetaArq(), ArchivoArqMuestra(RutaEjecutable()));
}

}  // namespace varnolt
