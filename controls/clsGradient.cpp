#include "controls/clsGradient.h"

namespace tallix {

void clsGradient::DefineRect(qint32 X1, qint32 y1, qint32 x2, qint32 y2) {
    rcGradient = {X1, y1, x2, y2};
}

void clsGradient::DrawGradient(QImage& hDC, const qint32& Direction, quint32 StartColor,
                               quint32 EndColor) const {
    const TriVertex upperLeft = MakeVertex(rcGradient.left, rcGradient.top, StartColor);
    const TriVertex lowerRight = MakeVertex(rcGradient.right, rcGradient.bottom, EndColor);
    GradientFill(hDC, upperLeft, lowerRight, Direction);
}

TriVertex clsGradient::MakeVertex(qint32 x, qint32 y, quint32 Color) {
    TriVertex vertex;
    vertex.x = x;
    vertex.y = y;
    vertex.Red = ToVertexChannel(qint32(Color & 0xFF) * 256);
    vertex.Green = ToVertexChannel(qint32((Color >> 8) & 0xFF) * 256);
    vertex.Blue = ToVertexChannel(qint32((Color >> 16) & 0xFF) * 256);
    vertex.Alpha = 0;
    return vertex;
}

qint16 clsGradient::ToVertexChannel(qint32 Value) {
    return qint16(Value >= 0x8000 ? Value - 0x10000 : Value);
}

} // namespace tallix
