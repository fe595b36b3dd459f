#include "crc16.h"

quint16 CrcUpdate(quint16 crc, quint8 byte)
{
    for (int i = 0; i < 8; ++i) {
        const bool dataBit = (byte >> i) & 1;
        const bool topBit = (crc >> 15) & 1;
        crc = quint16(crc << 1);
        if (dataBit != topBit)
            crc ^= 0x1021;
    }
    return crc;
}

quint16 CrcOverBytes(const quint8 *data, qsizetype size, quint16 crc)
{
    for (qsizetype i = 0; i < size; ++i)
        crc = CrcUpdate(crc, data[i]);
    return crc;
}
