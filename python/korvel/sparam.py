"""Touchstone data sets, interpolation and every two-port quantity of the S-parameter tool,
as numpy arrays, by the program's own engine."""
import numpy as _np

from ._korvel import sparam as _compiled
from ._result import reexport as _reexport

__all__ = _reexport(_compiled, globals()) + ["to_skrf", "from_skrf"]


def to_skrf(ds, name=None):
    """The data set as a scikit-rf Network (needs scikit-rf).

    Parameters
    ----------
    ds : DataSet
    name : str, optional
        The network's name; the file name without extension by default.

    Returns
    -------
    skrf.Network
        Same frequencies, S-parameters and reference impedance; the noise parameters too
        for a two-port with noise data.
    """
    import skrf

    s = ds.s if ds.ports == 2 else ds.s.reshape(-1, 1, 1)
    if name is None:
        name = ds.file_name.rsplit(".", 1)[0] or None
    net = skrf.Network(frequency=skrf.Frequency.from_f(ds.frequencies, unit="hz"), s=s, z0=ds.z0, name=name)
    noise = ds.noise
    if noise is not None and ds.ports == 2:
        net.set_noise_a(noise_freq=skrf.Frequency.from_f(noise.frequencies, unit="hz"), nfmin_db=noise.nfmin_db,
                        gamma_opt=noise.gamma_opt, rn=noise.rn * ds.z0)
    return net


def from_skrf(net):
    """A data set from a scikit-rf one- or two-port Network.

    Parameters
    ----------
    net : skrf.Network

    Returns
    -------
    DataSet
        At the network's frequencies, with its first port's reference impedance.
    """
    if net.nports not in (1, 2):
        raise ValueError("only one- and two-port networks")
    s = net.s if net.nports == 2 else net.s[:, 0, 0]
    z0 = float(_np.real(net.z0[0, 0]))
    noise = None
    if getattr(net, "noisy", False):
        # scikit-rf gives its noise parameters at the network's frequencies; Γopt is formed
        # here from Zopt, as its own g_opt fails on recent numpy.
        z_opt = net.z_opt
        noise = (net.f, 10 * _np.log10(net.nfmin), (z_opt - z0) / (z_opt + z0), net.rn / z0)
    return DataSet.from_arrays(net.f, s, z0, noise)  # noqa: F821 (re-exported above)
