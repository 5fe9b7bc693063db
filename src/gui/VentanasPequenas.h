// SPDX-License-Identifier: AGPL-3.0-or-later
// The three small windows: the message window TFormMSG, the
// progress window TFormStepCount and the notice window TFormAviso; and the
// floating tool windows' common behaviour.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QRect>
#include <QWidget>
#include <functional>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace varnolt::gui {

// The suite's icon, drawn (the header band of TFormMSG, the window icon).
QPixmap IconoSuite(int lado);
QIcon IconoVarnolt();

// Puts a window in the middle of its screen's available area.
void Centrar(QWidget* ventana);

// TFormMSG: a borderless 510 × 201 window on top of the others, centred, a
// very light yellow panel framed in white with the header band (icon and
// "Orbelune"), the message LabelAviso and the button band with "De acuerdo".
class TFormMSG : public QDialog {
    Q_OBJECT
  public:
    explicit TFormMSG(QWidget* padre);
    // MostrarMensaje: the text ("\r" starts a new line) into LabelAviso, then
    // the window modally until "De acuerdo".
    void Mostrar(const QString& texto);
    void PonerTexto(const QString& texto);
    QLabel* LabelAviso() const { return labelAviso_; }
    QPushButton* SBOk() const { return ok_; }

  private:
    QLabel* labelAviso_;
    QPushButton* ok_;
};

// TFormStepCount: caption "Calculando . .", fixed border without system
// buttons, on top, centred, client 454 × 20 holding the progress bar PB.
class TFormStepCount : public QDialog {
    Q_OBJECT
  public:
    explicit TFormStepCount(QWidget* padre);
    QProgressBar* PB() const { return pb_; }

  private:
    QProgressBar* pb_;
};

// TFormAviso: a borderless orange window of 463 × 96 on top, centred, with a
// white inner panel and the centred label "\r\n\r\nAviso".
class TFormAviso : public QDialog {
    Q_OBJECT
  public:
    explicit TFormAviso(QWidget* padre);
    QLabel* LabelAviso() const { return labelAviso_; }

  private:
    QLabel* labelAviso_;
};

// A floating tool window (Qt::Tool) over the main window; it reports its
// closing by the user so that its toggle can be released. The first time it
// shows, ColocarPrimeraVez chooses its place; after that it comes back where
// the user left it, with the size the user gave it.
class VentanaHerramienta : public QWidget {
    Q_OBJECT
  public:
    VentanaHerramienta(const QString& nombre, const QString& titulo, QWidget* principal);
    // Fixed client size (the user cannot resize it).
    void TamanoFijo(int ancho, int alto);
    // Fixed client width; the height may be made smaller, down to
    // `altoMinimo`, to fit a low screen.
    void AnchoFijo(int ancho, int altoMinimo);
    bool TieneTamanoFijo() const { return minimumSize() == maximumSize(); }

    // Chooses the place of a window shown for the first time (it may move
    // and resize the window).
    std::function<void(VentanaHerramienta&)> ColocarPrimeraVez;
    // The window's last place: its frame's top-left corner and its client
    // size; none before it first shows or is given one.
    std::optional<QRect> Lugar() const { return lugar_; }
    // A place remembered from an earlier run: used at the next show. A fixed
    // size window only takes the position.
    void PonerLugar(const QRect& lugar);

    void setVisible(bool visible) override;

  signals:
    void Cerrada();

  protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    void Recordar();
    std::optional<QRect> lugar_;
};

}  // namespace varnolt::gui
