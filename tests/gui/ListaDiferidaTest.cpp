// SPDX-License-Identifier: AGPL-3.0-or-later
// A list whose rows the core keeps as data: the view writes out only the
// rows it shows, keeps its place when a refill brings the same rows, and
// takes new rows when they change.
#include <QScrollBar>
#include <atomic>

#include "VentanaPrueba.h"
#include "gui/TextoQt.h"

namespace varnolt::prueba {
namespace {

// Rows "fila N" (N from `base`), counting how many texts were asked for.
class FilasContadas : public IFilasDiferidas {
  public:
    FilasContadas(int cantidad, int base, std::atomic<int>& pedidas)
        : cantidad_(cantidad), base_(base), pedidas_(pedidas) {}
    int Cantidad() const override { return cantidad_; }
    std::string Texto(int fila) const override {
        ++pedidas_;
        return "fila " + std::to_string(base_ + fila);
    }
    bool MismasFilas(const IFilasDiferidas& otras) const override {
        const auto* o = dynamic_cast<const FilasContadas*>(&otras);
        return o != nullptr && o->cantidad_ == cantidad_ && o->base_ == base_;
    }

  private:
    int cantidad_;
    int base_;
    std::atomic<int>& pedidas_;
};

class ListaDiferida : public ::testing::Test {
  protected:
    ListaDiferida() { lista.resize(200, 160); }  // ten rows of 16 pixels
    void Llenar(int cantidad, int base) {
        lb.Clear();
        lb.Diferidas = std::make_shared<FilasContadas>(cantidad, base, pedidas);
        lb.Selected.assign(static_cast<size_t>(cantidad), 0);
        lb.Datos.assign(static_cast<size_t>(cantidad), 0);
        lista.Recargar();
    }
    static void Procesar() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    QApplication& app = AplicacionQt();
    TListBox lb;
    std::atomic<int> pedidas{0};
    gui::ListaVarnolt lista{QStringLiteral("Lista"), lb, 1, false, Qt::white, nullptr};
};

TEST_F(ListaDiferida, WritesOutOnlyTheRowsOnScreen) {
    lista.show();
    Llenar(100000, 0);
    Procesar();
    lista.repaint();
    EXPECT_EQ(lista.model()->rowCount(), 100000);
    EXPECT_EQ(lb.Count(), 100000);
    EXPECT_TRUE(lb.Items.empty());
    EXPECT_GT(pedidas.load(), 0);
    EXPECT_LT(pedidas.load(), 100);
    EXPECT_EQ(gui::S(lista.model()->index(99999, 0).data().toString()), "fila 99999");
    EXPECT_EQ(lb.Texto(5), "fila 5");
}

TEST_F(ListaDiferida, SameRowsKeepThePlaceNewRowsReplaceThem) {
    lista.show();
    Llenar(1000, 0);
    Procesar();
    int reinicios = 0;
    QObject::connect(lista.model(), &QAbstractItemModel::modelReset, [&] { ++reinicios; });
    lista.verticalScrollBar()->setValue(500);
    Llenar(1000, 0);  // a refill with the same rows
    Procesar();
    EXPECT_EQ(reinicios, 0);
    EXPECT_EQ(lista.verticalScrollBar()->value(), 500);
    Llenar(1000, 7);  // other rows
    EXPECT_EQ(reinicios, 1);
    EXPECT_EQ(gui::S(lista.model()->index(0, 0).data().toString()), "fila 7");
    // Back to rows written out.
    lb.Clear();
    lb.Add("uno");
    lb.Add("dos");
    lista.Recargar();
    EXPECT_EQ(lista.model()->rowCount(), 2);
    EXPECT_EQ(gui::S(lista.model()->index(1, 0).data().toString()), "dos");
}

TEST_F(ListaDiferida, RowsTheCoreRefillsWithoutTellingStayAsShown) {
    Llenar(10, 0);
    lb.Clear();  // the core empties the list; the view has not been told yet
    EXPECT_EQ(lista.model()->rowCount(), 10);
    EXPECT_EQ(gui::S(lista.model()->index(9, 0).data().toString()), "fila 9");
    lista.Recargar();
    EXPECT_EQ(lista.model()->rowCount(), 0);
}

}  // namespace
}  // namespace varnolt::prueba
