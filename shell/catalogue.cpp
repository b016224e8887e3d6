#include "catalogue.h"

namespace korvel::ui {

const std::vector<CatalogueGroup>& Catalogue()
{
    static const std::vector<CatalogueGroup> groups = {
        {"Velmar", "Dorrit", {
            {"Tolvane Guide", "Dorrit-Tolvane", "Tolvane2", "frmTolvane"},
            {"Design Data   on the Web", "Dorrit-Web", "world3", "frmBrowser"},
            {"Velmar RF Semiconductors", "Dorrit-Products", "prod3", "frmDorritwell"},
            {"Contacting Velmar", "Dorrit-Contacts", "phone2", "frmDorritcontacts"},
            {"About Korvel", "Dorrit-Korvel", "korvel6", "frmKorvelinfo"},
        }},
        {"Circuit Design", "Circuit", {
            {"Everything S-Parameters", "Circuit-Everything S-Parameters", "sparam", "frmSparam"},
        }},
        {"Active Circuits", "Active", {
            {"Voltage Biased RFIC Circuits", "Active-Voltage Biased", "vbias3", "frmVBias"},
            {"Current Biased RFIC Circuits", "Active-Current Biased", "ibias3", "frmIBias"},
            {"Large Signal Detector", "Active-Large Signal", "lgsig2", "frmLargeSigDet"},
            {"Small Signal Detector", "Active-Small Signal", "smsig2", "frmSmallSigDet"},
            {"   FET Bias:   Source R", "Active-FETbias", "fetbias", "frmFETbias"},
            {"Bipolar Xstr:  Base Bias  ", "Active-Bias1", "Bias1a", "frmBJTBias1"},
            {"Bipolar Xstr: Collector FB", "Active-Bias2", "Bias2", "frmBJTBias2"},
            {"Bipolar Xstr: V-FB/I-Source", "Active-Bias3", "Bias3", "frmBJTBias3"},
            {"Bipolar Xstr: Voltage FB", "Active-Bias4", "Bias4", "frmBJTBias4"},
            {"Bipolar Xstr: Emitter FB", "Active-Bias5", "Bias5a", "frmBJTBias5"},
            {"Amplifier Efficiency", "Active-Amplifier Efficiency", "ampeff3", "frmAmplifierEfficiency"},
        }},
        {"Passive Circuits", "Passive", {
            {"Balun", "Passive-Balun", "balun", "frmBalun"},
            {"Microstrip", "Passive-Microstrip", "mstrip", "frmMicrostrip"},
            {"Coplanar Waveguide", "Passive-CPW", "cpw-gnd1", "frmCPW"},
            {"Stripline", "Passive-Stripline", "strip", "frmStripline"},
            {"Parallel Line", "Passive-Parallel Line", "parallel", "frmParallelWires"},
            {"Wire Over Groundplane", "Passive-Wire Over Groundplane", "wire-gnd", "frmWireOverGround"},
            {"Coax  (Round)", "Passive-Coax (Round)", "coax-rnd", "frmRndCoax"},
            {"Coax  (Square)", "Passive-Coax (Square)", "coax-sqr", "frmSqrCoax"},
            {"Trough Line", "Passive-Trough Line", "trough", "frmTroughLine"},
            {"Slab Line", "Passive-Slab Line", "slab", "frmSlabLine"},
        }},
        {"Signals-Systems", "Signal", {
            {"Reflection Calculator", "Signal-Reflectometer", "rho2", "frmReflectionCalc"},
            {"NoiseCalc", "Signal-NoiseCalc", "cascade1", "frmNoiseCalc"},
            {"Mixer Spurs", "Signal-SpurCalc", "SpurFind", "frmMixerSpur"},
            {"Intercept Point", "Signal-Intermodulation", "ip3", "frmIP3"},
        }},
        {"Reliability", "Reliability", {
            {"Device Thermal Calculator", "Reliability-Device Thermal Calc", "thermo", "frmDeviceThermal"},
            {"SPCS", "Semiconductors-SPCS", "scroll", "frmSPCS1"},
        }},
        {"Engr Tools", "Tools", {
            {"Complex Math RF Calculator", "Circuit-Complex Math Calculator", "complex1", "frmComplexMath"},
            {"Component Values", "Circuit-Standard Component Values", "std-val", "frmStdValues"},
            {"Engineering Constants", "Circuit-Constants", "const", "frmConstants"},
        }},
    };
    return groups;
}

const CatalogueEntry* FindCatalogueEntry(const QString& keyOrCaption)
{
    for (const CatalogueGroup& group : Catalogue())
        for (const CatalogueEntry& entry : group.entries)
            if (entry.key == keyOrCaption)
                return &entry;
    // The click handler also knows the maker's pages and the constants by their captions.
    for (const CatalogueGroup& group : Catalogue())
        for (const CatalogueEntry& entry : group.entries) {
            const bool captionAccepted =
                group.key == kMakerGroupKey || entry.key == QLatin1String("Circuit-Constants");
            if (captionAccepted && entry.caption == keyOrCaption)
                return &entry;
        }
    return nullptr;
}

const CatalogueGroup* GroupOfEntry(const CatalogueEntry* entry)
{
    for (const CatalogueGroup& group : Catalogue())
        for (const CatalogueEntry& e : group.entries)
            if (&e == entry)
                return &group;
    return nullptr;
}

bool GroupChangeWhooshes(int newGroup, int rememberedGroup, bool startingUp)
{
    if (startingUp)
        return newGroup != 1;
    return newGroup != rememberedGroup;
}

} // namespace korvel::ui
