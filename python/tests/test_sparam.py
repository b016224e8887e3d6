"""korvel.sparam: arrays, the program's load messages, and agreement with scikit-rf on the
cross-check files (the same comparisons the C++ cross-check makes, here through to_skrf)."""
import contextlib
import glob
import io
import os
import unittest
import warnings

import numpy as np

import korvel
from korvel import sparam

DATA = os.path.join(os.path.dirname(__file__), "..", "..", "tests", "sparam", "data")
warnings.filterwarnings("ignore", category=ResourceWarning)   # scikit-rf leaves its files open
with contextlib.redirect_stdout(io.StringIO()):   # scikit-rf announces a missing matplotlib
    try:
        import skrf
    except ImportError:
        skrf = None


class DataSets(unittest.TestCase):
    def test_arrays(self):
        ds = sparam.load(os.path.join(DATA, "skrf", "amp_noise_ma.s2p"))
        self.assertEqual((ds.format, ds.frequency_unit, ds.z0, len(ds)), ("MA", "GHZ", 50.0, 4))
        self.assertEqual(ds.frequencies.dtype, np.float64)
        self.assertEqual((ds.s.shape, ds.s.dtype), ((4, 2, 2), np.complex128))
        self.assertFalse(ds.s21.flags.writeable)   # a view of the engine's memory
        np.testing.assert_array_equal(ds.s21, ds.s[:, 1, 0])
        q = ds.quantities(["K", "MAG", "GammaMs", "NFZo"])
        self.assertEqual([a.dtype for a in q.values()], [np.float64, np.float64, np.complex128, np.float64])
        # MAG and the simultaneous match exist only where the device is unconditionally stable.
        np.testing.assert_array_equal(np.isnan(q["MAG"]), q["K"] <= 1)
        np.testing.assert_array_equal(np.isnan(q["GammaMs"]), q["K"] <= 1)
        self.assertEqual(ds.noise.nfmin_db.shape, (3,))
        one = sparam.load(os.path.join(DATA, "skrf", "ant_db_ghz.s1p"))
        self.assertEqual(one.s.shape, (40,))
        self.assertTrue(np.isnan(one.quantity("K")).all())

    def test_interpolation_holds_the_file_values(self):
        ds = sparam.load(os.path.join(DATA, "skrf", "amp_db_mhz.s2p"))
        f = ds.frequencies
        on = sparam.interpolate(ds, np.concatenate([f, [f[0] / 2, f[-1] * 2]]))
        np.testing.assert_allclose(on.s[: len(f)], ds.s, rtol=1e-12)
        np.testing.assert_allclose(on.s[len(f):], ds.s[[0, -1]], rtol=1e-12)

    def test_load_messages(self):
        with self.assertRaisesRegex(korvel.LoadError, r"^File load error in line number: 1\.  Check frequency units for proper format$"):
            sparam.load(os.path.join(DATA, "bad_unit.s2p"))
        with self.assertRaises(korvel.LoadError):
            sparam.load(os.path.join(DATA, "no such file.s2p"))

    @unittest.skipIf(skrf is None, "scikit-rf is not installed")
    def test_agrees_with_scikit_rf(self):
        for path in sorted(glob.glob(os.path.join(DATA, "skrf", "*.s?p"))):
            with self.subTest(os.path.basename(path)):
                ds = sparam.load(path)
                ref = skrf.Network(path)
                net = sparam.to_skrf(ds)
                np.testing.assert_allclose(net.f, ref.f, rtol=1e-7)
                np.testing.assert_allclose(net.s, ref.s, rtol=1e-5, atol=1e-6)
                self.assertEqual(net.z0[0, 0], ref.z0[0, 0])
                if ds.ports == 1:
                    continue
                k = np.real(ref.stability)
                shown = ds.quantity("K")
                finite = shown != 20   # an infinite K is shown as 20
                np.testing.assert_allclose(shown[finite], k[finite], rtol=1e-5)
                s21, s12 = ref.s[:, 1, 0], ref.s[:, 0, 1]
                np.testing.assert_allclose(ds.quantity("MSG"), 10 * np.log10(abs(s21) / abs(s12)), rtol=1e-5)
                back = sparam.from_skrf(ref)
                np.testing.assert_allclose(back.quantity("Gt"), ds.quantity("Gt"), rtol=1e-5)


if __name__ == "__main__":
    unittest.main()
