-- A sine generator locked to the timeline, for the render test. The sample at
-- timeline position t is Gain * sin(2 pi Frequency t / rate), however long the
-- session ran before the export began: Ardour's own SinGen keeps a running phase,
-- so the phase it exports with depends on how many samples it made before, which
-- depends on timing. render-test.sh installs this script among the user's scripts.
-- SPDX-License-Identifier: GPL-3.0-or-later

ardour {
	["type"]    = "dsp",
	name        = "Brumvale Timeline Sine",
	category    = "Instrument",
	license     = "GPL-3.0-or-later",
	author      = "Brumvale",
	description = [[A sine whose sample at timeline position t is Gain * sin(2 pi Frequency t / rate)]]
}

function dsp_params ()
	return
	{
		{ ["type"] = "input", name = "Frequency", min = 20, max = 20000, default = 1000, unit = "Hz", logarithmic = true },
		{ ["type"] = "input", name = "Gain", min = -90, max = 0, default = -18, unit = "dB" },
	}
end

function dsp_ioconfig ()
	return { [1] = { audio_in = -1, audio_out = -1 }, }
end

local rate = 48000

function dsp_init (r)
	rate = r
end

function dsp_run (ins, outs, n_samples)
	local ctrl = CtrlPorts:array ()
	local frequency, gain = ctrl[1], ARDOUR.DSP.dB_to_coefficient (ctrl[2])
	local start = Session:transport_sample ()
	local samples = {}
	for s = 1, n_samples do
		-- The cycle's fraction, exact for whole-number positions and frequencies.
		local cycles = ((start + s - 1) * frequency % rate) / rate
		samples[s] = gain * math.sin (2 * math.pi * cycles)
	end
	for c = 1, #outs do
		outs[c]:set_table (samples, n_samples)
	end
end
