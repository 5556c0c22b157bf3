#include "lessons/phonemetable.h"

#include <cstddef>

namespace lx {

const std::array<Phoneme, PhonemeTable::kCount>& PhonemeTable::Rows() {
  static const std::array<Phoneme, kCount> rows{{
      {1, "SpeedButton49", "[a:]", 3391, 1, 3, 2, 4, 200},
      {2, "SpeedButton50", "[A]", 3548, 1, 3, 2, 4, 200},
      {3, "SpeedButton51", "[O:]", 3525, 1, 3, 2, 6, 150},
      {4, "SpeedButton52", "[O]", 3528, 1, 3, 2, 6, 150},
      {5, "SpeedButton53", "[u:]", 3492, 7, 3, 8, 10, 150},
      {6, "SpeedButton54", "[u]", 3495, 7, 3, 8, 24, 150},
      {7, "SpeedButton55", "[I:]", 3551, 11, 3, 12, 4, 150},
      {8, "SpeedButton56", "[I]", 3554, 11, 3, 12, 4, 150},
      {9, "SpeedButton57", "[e]", 3442, 15, 3, 16, 14, 150},
      {10, "SpeedButton58", "[x]", 3507, 19, 3, 20, 18, 150},
      {11, "SpeedButton89", "[q:]", 3519, 1, 3, 2, 23, 150},
      {12, "SpeedButton59", "[q]", 3522, 1, 3, 2, 23, 150},
      {13, "SpeedButton60", "[eI]", 3448, 1, 14, 2, 4, 150},
      {14, "SpeedButton61", "[aI]", 3429, 21, 18, 22, 4, 150},
      {15, "SpeedButton62", "[OI]", 3531, 21, 6, 22, 4, 150},
      {16, "SpeedButton63", "[Iq]", 3557, 11, 4, 12, 23, 150},
      {17, "SpeedButton64", "[uq]", 3498, 1, 4, 2, 23, 150},
      {18, "SpeedButton65", "[Fq]", 3445, 15, 14, 16, 23, 150},
      {19, "SpeedButton66", "[au]", 3415, 1, 18, 2, 24, 150},
      {20, "SpeedButton67", "[qu]", 3478, 1, 6, 2, 24, 150},
      {21, "SpeedButton68", "[f]", 3450, 27, 3, 28, 26, 150},
      {22, "SpeedButton69", "[v]", 3500, 27, 3, 28, 26, 150},
      {23, "SpeedButton70", "[k]", 3465, 31, 3, 32, 30, 150},
      {24, "SpeedButton71", "[g]", 3453, 31, 3, 32, 30, 150},
      {25, "SpeedButton72", "[p]", 3480, 33, 3, 34, 4, 150},
      {26, "SpeedButton73", "[b]", 3435, 33, 3, 34, 4, 150},
      {27, "SpeedButton74", "[s]", 3484, 36, 3, 37, 35, 150},
      {28, "SpeedButton75", "[z]", 3504, 36, 3, 37, 35, 150},
      {29, "SpeedButton76", "[t]", 3486, 38, 3, 39, 9, 150},
      {30, "SpeedButton77", "[d]", 3437, 38, 3, 39, 9, 150},
      {31, "SpeedButton78", "[S]", 3533, 40, 3, 41, 5, 150},
      {32, "SpeedButton79", "[Z]", 3536, 40, 3, 41, 5, 150},
      {33, "SpeedButton80", "[T]", 3542, 42, 3, 43, 13, 150},
      {34, "SpeedButton81", "[D]", 3540, 42, 3, 43, 13, 150},
      {35, "SpeedButton82", "[tS]", 3488, 44, 3, 45, 17, 150},
      {36, "SpeedButton83", "[dZ]", 3439, 44, 3, 45, 17, 150},
      {37, "SpeedButton84", "[m]", 3473, 46, 3, 47, 25, 150},
      {38, "SpeedButton85", "[l]", 3471, 48, 3, 49, 29, 150},
      {39, "SpeedButton86", "[j]", 3461, 51, 3, 52, 50, 150},
      {40, "SpeedButton87", "[w]", 3502, 33, 3, 34, 10, 150},
      {41, "SpeedButton91", "[n]", 3475, 53, 3, 54, 9, 150},
      {42, "SpeedButton92", "[N]", 3560, 56, 3, 57, 55, 150},
      {43, "SpeedButton93", "[r]", 3482, 59, 3, 60, 58, 150},
      {44, "SpeedButton94", "[h]", 3456, 62, 3, 63, 61, 150},
  }};
  return rows;
}

const Phoneme* PhonemeTable::Number(int number) {
  if (number < 1 || number > kCount) return nullptr;
  return &Rows()[static_cast<size_t>(number - 1)];
}

}  // namespace lx
