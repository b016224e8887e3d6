// Computes a microstrip's impedance and loads a Touchstone file with Korvel's installed
// formula libraries; exits 1 unless both give what they should.
#include <korvel/core/version.h>
#include <korvel/lines/microstrip.h>
#include <korvel/sparam/touchstone.h>

#include <cmath>
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    // 3 mm on 1.55 mm FR-4 (Er 4.413), 35 um copper, at 1 GHz: 49.14 ohm in published
    // calculators using the same model.
    korvel::MicrostripInputs in;
    in.w_m = 3e-3;
    in.h_m = 1.55e-3;
    in.t_m = 35e-6;
    in.length_m = 0.0254;
    in.freq_hz = 1e9;
    in.er = 4.413;
    const korvel::MicrostripResult line = korvel::AnalyseMicrostrip(in);

    korvel::DataSetSlots sets;
    const std::string path = argv[1];
    const korvel::LoadResult load = korvel::GetSnpFile(korvel::FileNameOfPath(path), 1, path, sets);

    std::printf("Korvel %s: Z0 %.2f ohm; %s: %zu points\n", KORVEL_VERSION, line.z0_ohm,
                sets[1].fileName.c_str(), sets[1].freq.size());
    const bool lineOk = std::abs(line.z0_ohm - 49.14) < 0.01 * 49.14;
    return lineOk && load.ok && sets[1].ports == 2 && sets[1].freq.size() > 0 ? 0 : 1;
}
