"""korvel.lines, korvel.signal and korvel.tools from Python: the worked examples the C++
tests pin, broadcasting, and the program's texts in warnings and exceptions."""
import unittest
import warnings

import numpy as np

import korvel
from korvel import active, lines, signal, tools

MIL = 25.4e-6


class WorkedExamples(unittest.TestCase):
    def test_published_values(self):
        cases = [
            ("coax 100/43 mil", lines.coax(100 * MIL, 43 * MIL, 1.0, 1000 * MIL, 1e9), "z0", 50.6031724, 1e-8),
            ("its electrical length", lines.coax(100 * MIL, 43 * MIL, 1.0, 1000 * MIL, 1e9), "electrical_length",
             np.radians(30.5011009), 1e-8),
            ("coax for 50 ohm in PTFE", lines.coax_synthesis(50, 100 * MIL, 2.1, 1000 * MIL, 1e9), "inner",
             29.8659622 * MIL, 1e-8),
            ("stripline defaults", lines.stripline(3.0, 7.0, 0.01, 1.0), "z0", 108.616722119, 1e-9),
            ("stripline on FR-4", lines.stripline(5.0, 62.0, 1.4, 4.6), "z0", 91.5217932166, 1e-9),
            ("microstrip on FR-4", lines.microstrip(3e-3, 1.55e-3, 35e-6, 4.413, freq=1e9), "z0", 49.13, 1e-3),
            ("its width for 50 ohm", lines.microstrip_width(50, 1.55e-3, 35e-6, 4.413, freq=1e9), "width",
             2.913e-3, 1e-3),
            ("swr 3", signal.reflection(swr=3), "rho", 0.5, 1e-12),
            ("rl 20", signal.reflection(return_loss=20), "rho", 0.1, 1e-12),
            ("g 0.04 is 25 ohm", signal.reflection(g_load=0.04), "rho", 1 / 3, 1e-12),
            ("rho 1/3 is 100 ohm", signal.reflection(rho=1 / 3), "r_load", 100.0, 1e-12),
        ]
        for name, result, attr, expected, rel in cases:
            with self.subTest(name):
                self.assertIsInstance(getattr(result, attr), float)
                self.assertAlmostEqual(getattr(result, attr) / expected, 1.0, delta=rel)

    def test_cascade_friis(self):
        chain = signal.CascadeInputs(stages=[signal.CascadeStage(nf_db=1, gain_db=10),
                                             signal.CascadeStage(nf_db=10, gain_db=10)])
        r = signal.cascade(chain)
        self.assertAlmostEqual(r.nf_db, 3.3424, places=4)
        self.assertAlmostEqual(r.gain_db, 20.0)
        self.assertAlmostEqual(r.outputIp3_dbm, 99.5861, places=4)
        self.assertEqual(len(r.stages), 2)

    def test_mixer_difference_product(self):
        r = signal.mixer_spurs(signal.MixerSpurInputs(rfMin=900, rfMax=1000, loMin=1100, loMax=1200, ifMin=150,
                                                      ifMax=250, maxRfHarmonic=1, maxLoHarmonic=1))
        self.assertEqual([(s.n, s.m, s.rfLimit1, s.rfLimit2) for s in r.spurs], [(1, -1, 1050.0, 850.0)])

    def test_standard_values(self):
        r = tools.standard_value_calc(tools.StandardValueInputs(value=612e-5, baseUnit="Ohm", tolerance=5))
        self.assertEqual((r.mantissa, r.unit, r.unitName), (6.2, "mOhm", "milliohm"))
        self.assertAlmostEqual(r.delta, -8e-5)
        np.testing.assert_allclose(tools.standard_value([1100.0, 20e-9], 10), [1200.0, 22e-9], rtol=1e-15)


class Arrays(unittest.TestCase):
    def test_broadcast_shapes_and_round_trip(self):
        h = np.linspace(0.2e-3, 3.2e-3, 5)
        er = np.array([[2.2], [4.4]])
        w = lines.microstrip_width(50.0, h, 35e-6, er, freq=2e9)
        self.assertEqual(w.width.shape, (2, 5))
        self.assertEqual(w.width.dtype, np.float64)
        back = lines.microstrip(w.width, h, 35e-6, er, freq=2e9)
        np.testing.assert_allclose(back.z0, 50.0, rtol=1e-8)
        np.testing.assert_allclose(back.eeff, w.eeff, rtol=0)

    def test_every_coax_family_inverse(self):
        for name, fixed in [("coax", "outer"), ("square_coax", "outer"), ("slab_line", "outer"),
                            ("trough_line", "outer"), ("parallel_wires", "diameter"),
                            ("wire_over_ground", "diameter")]:
            with self.subTest(name):
                s = getattr(lines, name + "_synthesis")(np.array([75.0, 90.0]), 1e-3, 1.0)
                solved = {"parallel_wires": "spacing", "wire_over_ground": "height"}.get(name, "inner")
                dims = {solved: getattr(s, solved), fixed: 1e-3}
                with warnings.catch_warnings():
                    warnings.simplefilter("ignore", korvel.KorvelWarning)
                    np.testing.assert_allclose(getattr(lines, name)(**dims).z0, [75.0, 90.0], rtol=1e-9)


class Texts(unittest.TestCase):
    def test_faults_and_refusals(self):
        with self.assertRaisesRegex(korvel.FaultError, r"^Unexpected math error \(C01\)\. Combination of Er and "
                                                       r"D1/D2 out of range\.$"):
            lines.coax(7e-3, -1.0)
        with self.assertRaisesRegex(korvel.InputError, "^No width the model accepts gives Z0 = 500.00 ohms"):
            lines.microstrip_width(500.0, 1.55e-3, 35e-6, 4.4)
        with self.assertRaisesRegex(korvel.InputError, r"^Width, Gap, Height, Thickness, or Er out of range\.$"):
            lines.cpw(1e-3, -0.2e-3, 35e-6, 1.5e-3, 4.4)

    def test_notes_become_warnings(self):
        with warnings.catch_warnings(record=True) as caught:
            warnings.simplefilter("always")
            z0 = lines.coax(7e-3, [-1.0, 3e-3], errors="nan").z0
            active.efficiency(active.EfficiencyInputs(pout_dbm=40.0))
        self.assertTrue(np.isnan(z0[0]) and z0[1] > 50)
        texts = [str(w.message) for w in caught if issubclass(w.category, korvel.KorvelWarning)]
        self.assertIn("Unexpected math error (C01). Combination of Er and D1/D2 out of range.", texts)
        self.assertIn("Mathematically correct, but violates conservation of energy.", texts)


if __name__ == "__main__":
    unittest.main()
