#pragma once

#include <QWidget>

namespace velutra {

// The picture beside the compressor description: a hermetic refrigeration compressor (welded
// steel shell on a mounting plate, copper suction, discharge and process tubes, terminal cover
// with its cord), drawn at run time, 353 x 247 pixels.
class CompressorPicture : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 353;
    static constexpr int kHeight = 247;

    explicit CompressorPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace velutra
