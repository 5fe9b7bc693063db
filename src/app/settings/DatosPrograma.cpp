// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/settings/DatosPrograma.h"

#include <swephexp.h>

#include <filesystem>
#include <system_error>

#include "app/settings/Carpetas.h"
#include "app/settings/Instalacion.h"

namespace varnolt {
namespace {

constexpr CatalogoAspectos kAspectos = {{
    {0, "Conjunción", 0},        {1, "Quince", 15},
    {2, "Semisextil", 30},       {3, "SemiCuadratura", 45},
    {4, "Sextil", 60},           {5, "Setenta y cinco", 75},
    {6, "Cuadratura", 90},       {7, "Ciento cinco", 105},
    {8, "Trígono", 120},         {9, "Sexquicuadratura", 135},
    {10, "Quincuncio", 150},     {11, "Ciento sesenta y cinco", 165},
    {12, "Oposición", 180},      {13, "Decil", 36},
    {14, "Oncil", 33},           {15, "Novil", 40},
    {16, "Septil", 360.0 / 7.0}, {17, "Quintil", 72},
    {18, "BiQuintil", 144},
}};

constexpr std::string_view kPermutaciones[54] = {
    "1234567", "1357246", "1473625", "1235467", "1347256", "1426375", "1264537", "1342756",
    "1476325", "1265437", "1352746", "1423675", "1324576", "1462735", "1256347", "1375426",
    "1432765", "1253647", "1325476", "1437265", "1246357", "1374526", "1467235", "1243657",
    "1762453", "1237546", "1643725", "1356274", "1236574", "1763425", "1745623", "1254376",
    "1672435", "1327564", "1463752", "1742635", "1623457", "1245673", "1372564", "1627435",
    "1247635", "1752364", "1745326", "1254673", "1372465", "1435726", "1257634", "1742365",
    "1754623", "1245376", "1672534", "1564723", "1247365", "1752634",
};

constexpr int kVistasSuite = 31;

}  // namespace

RutasPrograma RutasDelPrograma(std::string_view ejecutable, std::string_view carpetaPersonal) {
    RutasPrograma r;
    r.ejecutable = std::string(ejecutable);
    r.archivoIni = CambiarExtension(ejecutable, ".ini");
    const std::string exe = CarpetaDeRuta(ejecutable);
    r.carpetaImagenes = exe + "img64/";
    r.carpetaEfemerides = exe + "dll/";
    r.archivoFuente = r.carpetaEfemerides + "encode02.dll";
    r.carpetaPersonal = std::string(carpetaPersonal);
    r.carpetaPlantillas = CarpetaPlantillas(carpetaPersonal);
    return r;
}

RutasPrograma RutasDelProgramaEnEjecucion() {
    return RutasDelProgramaEnEjecucion(CarpetaConfiguracionVarnolt());
}

RutasPrograma RutasDelProgramaEnEjecucion(std::string_view carpetaConfiguracion) {
    const std::string ejecutable = RutaEjecutable();
    RutasPrograma r = RutasDelPrograma(ejecutable, CarpetaPersonal());
    r.archivoIni = UbicacionArchivoIni(ejecutable, carpetaConfiguracion).ruta;
    return r;
}

void CargarConfiguracion(DatosPrograma& datos, const RutasPrograma& rutas) {
    CargarConfiguracion(datos, rutas, ArchivoIni(rutas.archivoIni));
}

void CargarConfiguracion(DatosPrograma& datos, const RutasPrograma& rutas, const ArchivoIni& ini) {
    datos.rutas = rutas;
    datos.config = ConfiguracionPredeterminada(rutas.carpetaPersonal);
    datos.vistasSuite.assign(kVistasSuite, TView{});
    for (int n = 0; n < kVistasSuite; ++n) {
        datos.vistasSuite[static_cast<std::size_t>(n)] = TView{n, 1, 0, false};
    }
    datos.aspectos = kAspectos;
    LeerConfig(datos.config, ini, rutas.carpetaPlantillas);
}

void IniciarDatos(DatosPrograma& datos, const RutasPrograma& rutas, const GanchosDatos& ganchos) {
    const ArchivoIni ini(rutas.archivoIni);
    if (ini.FalloLectura() && ganchos.errorLectura) {
        ganchos.errorLectura(
            "No se puede leer el archivo de configuración: " + ini.TextoErrorLectura() +
            ". Se usan los valores por omisión y el archivo no se modifica.");
    }
    CargarConfiguracion(datos, rutas, ini);
    if (ganchos.registrarFuente) {
        ganchos.registrarFuente(rutas.archivoFuente);
    }
    swe_set_ephe_path(rutas.carpetaEfemerides.c_str());
    for (std::size_t k = 0; k < datos.permutaciones.size(); ++k) {
        for (std::size_t c = 0; c < 7; ++c) {
            datos.permutaciones[k][c] = static_cast<std::uint8_t>(kPermutaciones[k][c] - '0');
        }
    }
}

std::optional<ErrorEscritura> FinalizarDatos(DatosPrograma& datos, const GanchosDatos& ganchos) {
    // A first run may find no configuration folder yet; what cannot be made
    // here fails the write below, which reports it.
    const std::string carpeta = CarpetaDeRuta(datos.rutas.archivoIni);
    if (!carpeta.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(carpeta, ec);
    }
    auto error = GuardarConfig(datos.config, datos.rutas.archivoIni);
    if (error && ganchos.errorEscritura) {
        ganchos.errorEscritura(*error);
    }
    if (ganchos.quitarFuente) {
        ganchos.quitarFuente(datos.rutas.archivoFuente);
    }
    swe_close();
    return error;
}

bool EsModoAutonomo(std::string_view rutaEjecutable) {
    return NombreDeRuta(rutaEjecutable) == "Varnolt";
}

std::string ArchivoArqInicial(const DatosPrograma& datos, bool modoAutonomo) {
    const std::string archivo =
        modoAutonomo
            ? ArchivoIni(datos.rutas.archivoIni)
                  .LeerCadena("Data", "FileARQ", FileARQPredeterminado(datos.rutas.carpetaPersonal))
            : datos.config.FileARQ();
    return ArchivoArqEnCarpetaDe(archivo);
}

std::string ArchivoArqEnCarpetaDe(std::string_view fileARQ) {
    return CarpetaDeRuta(fileARQ) + std::string(kArchivoArqInicial);
}

}  // namespace varnolt
