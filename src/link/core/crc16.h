#pragma once
// CRC-16 of the serial link. Polynomial 0x1021; the data bits enter least significant
// bit first while the register shifts towards its most significant bit; start value
// 0x1D0F in both directions, no final XOR, no reflection of the result.
// Check value: "123456789" from 0x1D0F gives 0x458B.

#include <QtGlobal>

constexpr quint16 CrcStartValue = 0x1D0F;

// One CRC step: the new CRC after `byte`.
quint16 CrcUpdate(quint16 crc, quint8 byte);

// CrcUpdate over `size` bytes, starting from `crc`.
quint16 CrcOverBytes(const quint8 *data, qsizetype size, quint16 crc = CrcStartValue);
